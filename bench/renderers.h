#pragma once
// The renderers this build of the benchmarks compares.

#include <memory>
#include <vector>

#include "bench/renderer_under_test.h"

namespace zor::bench {

// Our engine: the element tree with the style sheet applied.
std::unique_ptr<TRendererUnderTest> NewOurRenderer();
// libxml2's bare parse of the bytes: the floor for any loader built on it.
std::unique_ptr<TRendererUnderTest> NewLibxml2Parse();
// Qt SVG's QSvgRenderer.
std::unique_ptr<TRendererUnderTest> NewQtSvgRenderer();
// librsvg drawing through cairo.
std::unique_ptr<TRendererUnderTest> NewLibrsvgRenderer();

// Every renderer this build was configured with, in the order of the tables.
// The first one that draws sets the size of each file's drawing for all.
std::vector<std::unique_ptr<TRendererUnderTest>> RenderersUnderTest();

} // namespace zor::bench

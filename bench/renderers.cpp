#include "bench/renderers.h"

namespace zor::bench {

std::vector<std::unique_ptr<TRendererUnderTest>> RenderersUnderTest()
{
    std::vector<std::unique_ptr<TRendererUnderTest>> renderers;
    renderers.push_back(NewOurRenderer());
    // The peers are optional at configure time; a build without one has one row less.
    // librsvg comes first: it reads percentage and absolute sizes as the
    // standard says, where Qt SVG 6.4 gets some of them wrong.
#ifdef ZOR_BENCH_WITH_LIBRSVG
    renderers.push_back(NewLibrsvgRenderer());
#endif
#ifdef ZOR_BENCH_WITH_QT_SVG
    renderers.push_back(NewQtSvgRenderer());
#endif
    renderers.push_back(NewLibxml2Parse());
    return renderers;
}

} // namespace zor::bench

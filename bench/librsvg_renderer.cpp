// librsvg as a peer: a handle built from the bytes in memory, drawn with
// rsvg_handle_render_document onto a cairo image surface that shares the
// QImage's pixels (cairo's ARGB32 is QImage's ARGB32_Premultiplied).

#include <cairo.h>
#include <librsvg/rsvg.h>

#include "bench/renderers.h"
#include "platform/exceptions.h"

namespace zor::bench {

namespace {

struct TUnrefHandle {
    void operator()(RsvgHandle* Handle) const { g_object_unref(Handle); }
};
struct TDestroySurface {
    void operator()(cairo_surface_t* Surface) const { cairo_surface_destroy(Surface); }
};
struct TDestroyContext {
    void operator()(cairo_t* Context) const { cairo_destroy(Context); }
};
struct TFreeError {
    void operator()(GError* Error) const { g_error_free(Error); }
};

[[noreturn]] void RaiseLibrsvgError(GError* Error, const char* Otherwise)
{
    const std::unique_ptr<GError, TFreeError> owned(Error);
    throw Exception(QString::fromUtf8(owned && owned->message ? owned->message : Otherwise).trimmed());
}

class TLibrsvgDocument final : public TLoadedDocument, public TDrawableDocument {
public:
    explicit TLibrsvgDocument(RsvgHandle* Handle) : FHandle(Handle) {}

    QSizeF IntrinsicSize() const override
    {
        double width = 0;
        double height = 0;
        if (rsvg_handle_get_intrinsic_size_in_pixels(FHandle.get(), &width, &height))
            return {width, height};
        // Percentage sizes have no pixel size of their own; the view box still gives the shape.
        gboolean hasWidth = false;
        gboolean hasHeight = false;
        gboolean hasViewBox = false;
        RsvgLength widthLength{};
        RsvgLength heightLength{};
        RsvgRectangle viewBox{};
        rsvg_handle_get_intrinsic_dimensions(FHandle.get(), &hasWidth, &widthLength, &hasHeight, &heightLength,
                                             &hasViewBox, &viewBox);
        return hasViewBox ? QSizeF(viewBox.width, viewBox.height) : QSizeF();
    }

    void Draw(QImage& Target) const override
    {
        const std::unique_ptr<cairo_surface_t, TDestroySurface> surface(cairo_image_surface_create_for_data(
            Target.bits(), CAIRO_FORMAT_ARGB32, Target.width(), Target.height(), int(Target.bytesPerLine())));
        if (cairo_surface_status(surface.get()) != CAIRO_STATUS_SUCCESS)
            throw Exception(QString::fromUtf8(cairo_status_to_string(cairo_surface_status(surface.get()))));
        GError* error = nullptr;
        bool drawn = false;
        {
            const std::unique_ptr<cairo_t, TDestroyContext> context(cairo_create(surface.get()));
            const RsvgRectangle viewport{0, 0, double(Target.width()), double(Target.height())};
            drawn = rsvg_handle_render_document(FHandle.get(), context.get(), &viewport, &error);
        }
        cairo_surface_flush(surface.get());
        if (!drawn)
            RaiseLibrsvgError(error, "the document could not be drawn");
    }

private:
    std::unique_ptr<RsvgHandle, TUnrefHandle> FHandle;
};

class TLibrsvgRenderer final : public TRendererUnderTest {
public:
    QString Name() const override { return QStringLiteral("librsvg"); }
    TRendererRole Role() const override { return TRendererRole::rrPeer; }

    std::unique_ptr<TLoadedDocument> Load(const QByteArray& Bytes) const override
    {
        GError* error = nullptr;
        RsvgHandle* handle = rsvg_handle_new_from_data(reinterpret_cast<const guint8*>(Bytes.constData()),
                                                       gsize(Bytes.size()), &error);
        if (!handle)
            RaiseLibrsvgError(error, "the document could not be read");
        auto document = std::make_unique<TLibrsvgDocument>(handle);
        // Absolute units at 96 per inch, our engine's default; only the drawing's aspect ratio depends on it.
        rsvg_handle_set_dpi(handle, 96);
        return document;
    }
};

} // namespace

std::unique_ptr<TRendererUnderTest> NewLibrsvgRenderer()
{
    return std::make_unique<TLibrsvgRenderer>();
}

} // namespace zor::bench

#include "output/OffscreenRenderer.h"

// Keep X11's macros out: this file talks to EGL's surfaceless platform only.
#define EGL_NO_X11
#include <EGL/egl.h>
#include <EGL/eglext.h>
#include <GL/gl.h>
#include <GL/glext.h>

#include <algorithm>
#include <new>
#include <vector>

#include <QOpenGLContext>

#include "model/CVeltrix2Doc.h"
#include "output/PictureStreams.h"
#include "view3d/FramebufferFunctions.h"
#include "view3d/MultisampleTarget.h"
#include "view3d/SceneRenderer.h"
#include "view3d/SceneState.h"

namespace {

// The display is initialised once for every renderer alive and terminated
// with the last one.
struct SharedDisplay {
    EGLDisplay display = EGL_NO_DISPLAY;
    int users = 0;
};
SharedDisplay g_display;

// Most memory the multisampled buffers of one picture may take.
constexpr double kMultisampleBudget = 256.0 * 1024 * 1024;

// Pixels of the largest framebuffer: 32 M pixels take 256 MB with their
// depth and stencil.  Pictures up to 5600 x 5600 are drawn whole.
constexpr qint64 kStripPixels = qint64(32) << 20;

// Rows read back at a time.
constexpr int kBandRows = 64;

bool HasExtension(const char *list, const char *name)
{
    if (!list)
        return false;
    const QByteArray all = QByteArray(" ") + list + ' ';
    return all.contains(QByteArray(" ") + name + ' ');
}

} // namespace

struct OffscreenRenderer::Impl {
    EGLContext context = EGL_NO_CONTEXT;
    FramebufferFunctions fb;
    GLuint framebuffer = 0, color = 0, depth = 0;
    int fbWidth = 0, fbHeight = 0;
    int maxSide = 0;
    qint64 stripPixels = kStripPixels;
    // Smooth lines draw here first and are resolved into `framebuffer`.
    MultisampleTarget multisample{fb};
    SceneRenderer renderer;
    // A picture draws each function once: meshes, never display lists.
    ListSet lists{{}, FunctionStorage::Mesh};
    bool rendererReady = false;
    QString error;
    QStringList leftOut;

    bool Fail(const QString &message)
    {
        error = message;
        return false;
    }

    bool OpenDisplay();
    void CloseDisplay();
    bool CreateContext();
    bool MakeCurrent();
    void DoneCurrent() const;
    bool EnsureFramebuffer(int width, int height);
    void DeleteFramebuffer();
    bool DrawStrips(const SceneState &scene, int width, int height, int strip, bool multisampled,
                    PictureRows &rows);
};

bool OffscreenRenderer::Impl::OpenDisplay()
{
    if (g_display.users == 0) {
        const char *clientExtensions = eglQueryString(EGL_NO_DISPLAY, EGL_EXTENSIONS);
        if (!HasExtension(clientExtensions, "EGL_MESA_platform_surfaceless"))
            return Fail(QStringLiteral("EGL offers no surfaceless platform"));
        const EGLDisplay display =
            eglGetPlatformDisplay(EGL_PLATFORM_SURFACELESS_MESA, EGL_DEFAULT_DISPLAY, nullptr);
        if (display == EGL_NO_DISPLAY || !eglInitialize(display, nullptr, nullptr))
            return Fail(QStringLiteral("the EGL display could not be initialised"));
        g_display.display = display;
    }
    ++g_display.users;
    return true;
}

void OffscreenRenderer::Impl::CloseDisplay()
{
    if (--g_display.users == 0) {
        eglTerminate(g_display.display);
        eglReleaseThread();
        g_display.display = EGL_NO_DISPLAY;
    }
}

bool OffscreenRenderer::Impl::CreateContext()
{
    const EGLDisplay display = g_display.display;
    if (!HasExtension(eglQueryString(display, EGL_EXTENSIONS), "EGL_KHR_no_config_context"))
        return Fail(QStringLiteral("EGL cannot make a context without a configuration"));
    if (!eglBindAPI(EGL_OPENGL_API))
        return Fail(QStringLiteral("EGL offers no desktop OpenGL"));
    // Display lists, immediate mode and the selection buffer need the
    // compatibility profile.
    const EGLint attributes[] = {EGL_CONTEXT_MAJOR_VERSION, 3,
                                 EGL_CONTEXT_MINOR_VERSION, 0,
                                 EGL_CONTEXT_OPENGL_PROFILE_MASK,
                                 EGL_CONTEXT_OPENGL_COMPATIBILITY_PROFILE_BIT,
                                 EGL_NONE};
    context = eglCreateContext(display, EGL_NO_CONFIG_KHR, EGL_NO_CONTEXT, attributes);
    if (context == EGL_NO_CONTEXT)
        return Fail(QStringLiteral("no OpenGL context could be created (EGL error 0x%1)")
                        .arg(eglGetError(), 0, 16));
    if (!MakeCurrent())
        return false;
    if (!fb.Load([](const char *name) { return eglGetProcAddress(name); })) {
        DoneCurrent();
        return Fail(QStringLiteral("the OpenGL driver has no framebuffer objects"));
    }
    GLint renderbufferMax = 0, viewportMax[2] = {0, 0};
    glGetIntegerv(GL_MAX_RENDERBUFFER_SIZE, &renderbufferMax);
    glGetIntegerv(GL_MAX_VIEWPORT_DIMS, viewportMax);
    maxSide = std::min({renderbufferMax, viewportMax[0], viewportMax[1]});
    renderer.InitializeGL();
    rendererReady = true;
    DoneCurrent();
    return true;
}

bool OffscreenRenderer::Impl::MakeCurrent()
{
    // A thread holds one current context at a time: the GUI's own goes first.
    if (QOpenGLContext *current = QOpenGLContext::currentContext())
        current->doneCurrent();
    if (!eglMakeCurrent(g_display.display, EGL_NO_SURFACE, EGL_NO_SURFACE, context))
        return Fail(QStringLiteral("the off-screen context could not be made current (EGL error 0x%1)")
                        .arg(eglGetError(), 0, 16));
    return true;
}

void OffscreenRenderer::Impl::DoneCurrent() const
{
    eglMakeCurrent(g_display.display, EGL_NO_SURFACE, EGL_NO_SURFACE, EGL_NO_CONTEXT);
}

bool OffscreenRenderer::Impl::EnsureFramebuffer(int width, int height)
{
    if (framebuffer != 0 && width == fbWidth && height == fbHeight) {
        fb.bindFramebuffer(GL_FRAMEBUFFER, framebuffer);
        return true;
    }
    DeleteFramebuffer();
    fb.genFramebuffers(1, &framebuffer);
    fb.bindFramebuffer(GL_FRAMEBUFFER, framebuffer);
    fb.genRenderbuffers(1, &color);
    fb.bindRenderbuffer(GL_RENDERBUFFER, color);
    fb.renderbufferStorage(GL_RENDERBUFFER, GL_RGBA8, width, height);
    fb.framebufferRenderbuffer(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_RENDERBUFFER, color);
    fb.genRenderbuffers(1, &depth);
    fb.bindRenderbuffer(GL_RENDERBUFFER, depth);
    fb.renderbufferStorage(GL_RENDERBUFFER, GL_DEPTH24_STENCIL8, width, height);
    fb.framebufferRenderbuffer(GL_FRAMEBUFFER, GL_DEPTH_STENCIL_ATTACHMENT, GL_RENDERBUFFER, depth);
    if (fb.checkFramebufferStatus(GL_FRAMEBUFFER) != GL_FRAMEBUFFER_COMPLETE) {
        DeleteFramebuffer();
        return Fail(QStringLiteral("no framebuffer of %1 x %2 pixels could be made (out of memory?)")
                        .arg(width)
                        .arg(height));
    }
    fbWidth = width;
    fbHeight = height;
    return true;
}

void OffscreenRenderer::Impl::DeleteFramebuffer()
{
    if (framebuffer == 0)
        return;
    fb.bindFramebuffer(GL_FRAMEBUFFER, 0);
    fb.deleteFramebuffers(1, &framebuffer);
    fb.deleteRenderbuffers(1, &color);
    fb.deleteRenderbuffers(1, &depth);
    framebuffer = color = depth = 0;
    fbWidth = fbHeight = 0;
}

// The picture's rows below .. below + count - 1 (from the bottom) are drawn
// into the framebuffer's rows 0 .. count - 1: the viewport is the whole
// picture's, moved down by `below`, so a strip is the very part of the whole
// picture.  Strips go to `rows` in the order it wants them, each read in its
// layout.
bool OffscreenRenderer::Impl::DrawStrips(const SceneState &scene, int width, int height, int strip,
                                         bool multisampled, PictureRows &rows)
{
    const PictureRows::Layout layout = rows.RowLayout();
    const qsizetype stride = layout.Stride(width);
    // Rows are read back a band at a time: the file takes them as they come.
    const int band = std::min(strip, kBandRows);
    std::vector<uchar> buffer;
    try {
        buffer.resize(size_t(stride) * size_t(band));
    } catch (const std::bad_alloc &) {
        return Fail(QStringLiteral("no memory for %1 rows of %2 pixels").arg(band).arg(width));
    }
    if (!rows.Begin(width, height))
        return Fail(QStringLiteral("the picture could not be written"));
    const int strips = (height + strip - 1) / strip;
    for (int k = 0; k < strips; ++k) {
        const int below = layout.topDown ? std::max(0, height - (k + 1) * strip) : k * strip;
        const int count = layout.topDown ? height - k * strip - below : std::min(strip, height - below);
        if (multisampled)
            multisample.Bind();
        glViewport(0, -below, width, height);
        renderer.RenderScene(lists, scene.camera);
        if (multisampled)
            multisample.ResolveColor(framebuffer);
        if (k + 1 == strips)
            SceneRenderer::ClearLists(lists);   // drawn for the last time
        glPixelStorei(GL_PACK_ALIGNMENT, layout.alignment);
        glReadBuffer(GL_COLOR_ATTACHMENT0);
        for (int done = 0; done < count; done += band) {
            const int n = std::min(band, count - done);
            // A top-down file takes the strip's top band first.
            const int y = layout.topDown ? count - done - n : done;
            glReadPixels(0, y, width, n, layout.bgr ? GL_BGR : GL_RGB, GL_UNSIGNED_BYTE, buffer.data());
            const GLenum glError = glGetError();
            if (glError != GL_NO_ERROR)
                return Fail(QStringLiteral("rendering failed (OpenGL error 0x%1)").arg(glError, 0, 16));
            // GL reads bottom-up: a top-down layout takes the rows backwards.
            const uchar *first = layout.topDown ? buffer.data() + (n - 1) * stride : buffer.data();
            if (!rows.Rows(first, n, layout.topDown ? -stride : stride))
                return Fail(QStringLiteral("the picture could not be written"));
        }
    }
    if (!rows.End())
        return Fail(QStringLiteral("the picture could not be written"));
    return true;
}

OffscreenRenderer::OffscreenRenderer() : d_(std::make_unique<Impl>())
{
    if (!d_->OpenDisplay())
        return;
    if (!d_->CreateContext()) {
        if (d_->context != EGL_NO_CONTEXT)
            eglDestroyContext(g_display.display, d_->context);
        d_->context = EGL_NO_CONTEXT;
        d_->CloseDisplay();
    }
}

OffscreenRenderer::~OffscreenRenderer()
{
    if (d_->context == EGL_NO_CONTEXT)
        return;
    if (d_->MakeCurrent()) {
        if (d_->rendererReady)
            d_->renderer.ReleaseGL({});
        d_->multisample.Release();
        d_->DeleteFramebuffer();
        d_->DoneCurrent();
    }
    eglDestroyContext(g_display.display, d_->context);
    d_->CloseDisplay();
}

bool OffscreenRenderer::IsValid() const
{
    return d_->context != EGL_NO_CONTEXT;
}

const QString &OffscreenRenderer::Error() const
{
    return d_->error;
}

int OffscreenRenderer::MaxSide() const
{
    return IsValid() ? d_->maxSide : 0;
}

qint64 OffscreenRenderer::StripPixels() const
{
    return d_->stripPixels;
}

void OffscreenRenderer::SetStripPixels(qint64 pixels)
{
    d_->stripPixels = std::max<qint64>(pixels, 1);
}

const QStringList &OffscreenRenderer::LeftOut() const
{
    return d_->leftOut;
}

bool OffscreenRenderer::Render(const SceneState &scene, int width, int height, BitmapPixels &out)
{
    BitmapPixels pixels;
    if (!Render(scene, width, height, *PixelRows(pixels)))
        return false;
    out = std::move(pixels);
    return true;
}

bool OffscreenRenderer::Render(const SceneState &scene, int width, int height, PictureRows &rows)
{
    if (!IsValid())
        return false;
    if (width <= 0 || height <= 0 || width > d_->maxSide || height > d_->maxSide)
        return d_->Fail(QStringLiteral("a picture of %1 x %2 pixels cannot be rendered").arg(width).arg(height));
    if (!d_->MakeCurrent())
        return false;
    while (glGetError() != GL_NO_ERROR) {
    }
    const int strip = int(std::clamp<qint64>(d_->stripPixels / width, 1, height));
    bool ok = d_->EnsureFramebuffer(width, strip);
    if (ok) {
        SceneRenderer &r = d_->renderer;
        r.SetDocument(scene.doc);
        r.SetOptions(scene.options);
        r.Resize(width, height);
        r.RebuildLists(d_->lists, -1);
        d_->leftOut.clear();
        for (const DrawProblem &problem : r.Problems()) {
            const int position = scene.doc ? scene.doc->Find(problem.handle) : -1;
            if (position >= 0 && scene.doc->Get(position).visible)
                d_->leftOut << problem.message;
        }
        r.SetTrace(scene.trace);
        r.SetLineWidth(scene.lineWidth);
        // Large pictures (prints) get fewer samples, or none, rather than
        // hundreds of megabytes.
        const int samples =
            MultisampleTarget::SamplesWithin(kSmoothLineSamples, width, strip, kMultisampleBudget);
        const bool multisampled =
            scene.options.smoothLines && samples > 0 &&
            d_->multisample.Prepare(width, strip, samples, kMultisampleBudget);
        if (!multisampled)
            d_->multisample.Release();
        ok = d_->DrawStrips(scene, width, height, strip, multisampled, rows);
        // The document may go away before the next picture, and the meshes
        // are of no use after this one.
        SceneRenderer::ClearLists(d_->lists);
        r.SetDocument(nullptr);
    }
    d_->DoneCurrent();
    return ok;
}

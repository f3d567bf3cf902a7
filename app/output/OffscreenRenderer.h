#pragma once

#include <memory>

#include <QString>
#include <QStringList>

#include "output/BitmapPixels.h"
#include "output/PictureRows.h"

struct SceneState;

// Draws the scene into a framebuffer of an OpenGL context of its own, made
// with EGL on Mesa's surfaceless platform: no window, no X server.  It has
// its own scene renderer and outline font, so it draws
// exactly what the view draws.  Usable next to the view's context in the
// same thread: the Qt context current on entry is released first (a thread
// cannot hold an EGL and a GLX context at once) and the view makes its own
// current again when it next paints.
class OffscreenRenderer {
public:
    OffscreenRenderer();
    ~OffscreenRenderer();
    OffscreenRenderer(const OffscreenRenderer &) = delete;
    OffscreenRenderer &operator=(const OffscreenRenderer &) = delete;

    // False when no context could be made; Error() says why.
    bool IsValid() const;
    const QString &Error() const;
    // The largest framebuffer side the context allows (0 when invalid).
    int MaxSide() const;

    // Renders `scene` at width x height pixels into `out`.  False (with
    // Error()) when the context or the framebuffer fails.
    bool Render(const SceneState &scene, int width, int height, BitmapPixels &out);
    // The same picture handed to `rows` strip by strip, read straight into
    // the layout they ask for.  A picture of more than StripPixels() pixels
    // is drawn a strip at a time into a framebuffer of that size, so that
    // the largest pictures need a fraction of their own size in memory.
    // False (with Error()) when rendering or `rows` fail.
    bool Render(const SceneState &scene, int width, int height, PictureRows &rows);

    // Most pixels of one strip's framebuffer.
    qint64 StripPixels() const;
    void SetStripPixels(qint64 pixels);

    // Why shown functions of the last rendered scene are missing from it:
    // one message per function whose grid could not be made.
    const QStringList &LeftOut() const;

private:
    struct Impl;
    std::unique_ptr<Impl> d_;
};

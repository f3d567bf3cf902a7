#include "output/AnimationFilm.h"

#include <QDir>

#include "model/CVeltrix2Doc.h"
#include "output/BitmapPixels.h"
#include "output/FilmPalette.h"
#include "output/OffscreenRenderer.h"
#include "output/SafeFileWriter.h"

namespace {

// Walks the animation from its first position and renders each picture.
class Walk {
public:
    Walk(const FilmRequest &request, OffscreenRenderer &renderer, AnimationEngine &engine)
        : request_(request), renderer_(renderer), engine_(engine)
    {
    }

    // The next picture: the first position, then one step each.
    bool Next(BitmapPixels &picture)
    {
        if (started_)
            engine_.Tick();
        started_ = true;
        const bool ok = renderer_.Render(request_.scene, request_.size.width(), request_.size.height(), picture);
        engine_.FrameShown();
        return ok;
    }

    void Restart()
    {
        engine_.Rewind();
        engine_.FrameShown();
        started_ = false;
    }

private:
    const FilmRequest &request_;
    OffscreenRenderer &renderer_;
    AnimationEngine &engine_;
    bool started_ = false;
};

} // namespace

uint64_t AnimationLoopLength(const FunctionList &functions, int32_t handle)
{
    FrameByFrameClock clock;
    AnimationEngine engine(clock);
    if (!engine.Start(functions, handle, 0))
        return 0;
    const uint64_t positions = engine.Positions();
    engine.PutBack();
    return positions;
}

FilmOutcome WriteAnimationFilm(const QString &path, const FilmRequest &request, const FilmProgress &progress,
                               QString *error, QStringList *leftOut)
{
    auto fail = [&](const QString &reason) {
        if (error)
            *error = QStringLiteral("The file %1 could not be written: %2.").arg(QDir::toNativeSeparators(path), reason);
        return FilmOutcome::Failed;
    };
    if (!request.scene.doc)
        return fail(QStringLiteral("there is no document"));
    OffscreenRenderer renderer;
    if (!renderer.IsValid())
        return fail(QStringLiteral("the scene cannot be rendered: %1").arg(renderer.Error()));

    FrameByFrameClock clock;
    AnimationEngine engine(clock);
    if (!engine.Start(request.scene.doc->Functions(), request.handle, 0))
        return fail(QStringLiteral("the function has no parameters to animate"));
    const uint64_t frames = request.frames > 0 ? uint64_t(request.frames) : engine.Positions();
    if (frames > kMaxLoopFrames) {
        engine.PutBack();
        return fail(QStringLiteral("one loop of the animation has %1 pictures, more than %2: give a number of pictures")
                        .arg(frames)
                        .arg(kMaxLoopFrames));
    }
    const bool gif = request.format == VideoFormat::Gif;
    const int total = int(frames) * (gif ? 2 : 1);
    int done = 0;
    bool stopped = false;
    QString reason;
    Walk walk(request, renderer, engine);
    BitmapPixels picture;

    bool first = true;
    auto step = [&]() {
        if (!walk.Next(picture)) {
            reason = QStringLiteral("the scene cannot be rendered: %1").arg(renderer.Error());
            return false;
        }
        if (first && leftOut)
            *leftOut = renderer.LeftOut();
        first = false;
        return true;
    };
    auto advance = [&]() {
        ++done;
        if (progress && !progress(done, total)) {
            stopped = true;
            return false;
        }
        return true;
    };

    const bool written = WriteFileSafely(path, [&](QIODevice &out) {
        std::vector<uint32_t> palette;
        if (gif) {
            // A GIF's colours come from the whole film: a first walk counts them.
            FilmPalette counter;
            for (uint64_t k = 0; k < frames; ++k) {
                if (!step())
                    return false;
                counter.Add(picture);
                if (!advance())
                    return false;
            }
            palette = counter.Build();
            walk.Restart();
        }
        VideoEncoder encoder;
        if (!encoder.Open(out, request.format, request.size.width(), request.size.height(), request.fps, palette)) {
            reason = encoder.Error();
            return false;
        }
        for (uint64_t k = 0; k < frames; ++k) {
            if (!step())
                return false;
            if (!encoder.Add(picture)) {
                reason = encoder.Error();
                return false;
            }
            if (!advance())
                return false;
        }
        if (!encoder.Finish()) {
            reason = encoder.Error();
            return false;
        }
        return true; }, error);
    engine.PutBack();
    if (written)
        return FilmOutcome::Written;
    if (stopped)
        return FilmOutcome::Stopped;
    if (!reason.isEmpty())
        return fail(reason);
    return FilmOutcome::Failed;
}

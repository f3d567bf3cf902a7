#pragma once

#include <cstdint>
#include <functional>

#include <QSize>
#include <QString>
#include <QStringList>

#include "output/VideoEncoder.h"
#include "view3d/AnimationEngine.h"
#include "view3d/SceneState.h"

class FunctionList;

// The clock of an animation walked picture by picture: it never fires; the
// walker ticks the engine itself after each picture.
class FrameByFrameClock : public AnimationClock {
public:
    void Start(uint32_t) override { running_ = true; }
    void Stop() override { running_ = false; }
    bool IsRunning() const override { return running_; }

private:
    bool running_ = false;
};

// A video of the animation of one function of the scene's document: the
// positions the animation shows one after the other (see AnimationEngine),
// each drawn off-screen as the view draws it and handed to the encoder at
// once, so that memory does not grow with the length of the film.
struct FilmRequest {
    SceneState scene;       // document, camera, drawing options, line width
    int32_t handle = -1;    // the animated function
    QSize size;
    int frames = 0;         // 0: one whole loop, every position once
    int fps = 25;
    VideoFormat format = VideoFormat::Mp4;
};

// The most pictures one loop may give a film made without a count.
constexpr uint64_t kMaxLoopFrames = 100000;

// Called after each picture with the pictures done and the pictures to do
// (a GIF counts its pictures twice: once for the palette); false stops.
using FilmProgress = std::function<bool(int done, int total)>;

enum class FilmOutcome {
    Written,
    Stopped,
    Failed
};

// Writes the film through a temporary file: nothing is left behind when it
// fails or is stopped.  The function's parameters have their values again
// afterwards.  `error` says why it failed, naming the file; `leftOut` (when
// given) why shown functions are missing from the first picture.  Needs a
// QGuiApplication for the scene's text.
FilmOutcome WriteAnimationFilm(const QString &path, const FilmRequest &request, const FilmProgress &progress,
                               QString *error, QStringList *leftOut = nullptr);

// The positions in one loop of the animation of `handle` (0 when it has no
// parameter).
uint64_t AnimationLoopLength(const FunctionList &functions, int32_t handle);

#pragma once

#include <GL/gl.h>

#include "view3d/FramebufferFunctions.h"

// A framebuffer with several samples per pixel that a frame is drawn into
// and then resolved into a plain one.  Pictures, copies and the point under
// the mouse are read from the plain one: a multisampled framebuffer gives
// nothing to glReadPixels.  Lives in one context; Release() in that context.
class MultisampleTarget {
public:
    // `fb` must stay loaded for the target's life.
    explicit MultisampleTarget(const FramebufferFunctions &fb) : fb_(fb) {}
    MultisampleTarget(const MultisampleTarget &) = delete;
    MultisampleTarget &operator=(const MultisampleTarget &) = delete;

    // Makes the buffers for width x height pixels with up to `samples`
    // samples, or keeps them when they fit already; the bound framebuffer
    // stays bound.  False when the driver
    // gives no multisampled framebuffer of that size, or one whose buffers
    // take more than `budget` bytes (drivers may give more samples than
    // asked): draw into the plain framebuffer then.
    bool Prepare(int width, int height, int samples, double budget = 1e300);
    // Binds the framebuffer for drawing and reading.
    void Bind() const;
    // Copies the averaged colour of the whole frame into `target`, which
    // stays bound.
    void ResolveColor(GLuint target) const;
    // Copies depth and stencil of the pixels around (x, y), as far as the
    // frame goes, into `target` (bound afterwards): those of one sample per
    // pixel, whose place in the pixel SampleX() and SampleY() give.
    void ResolveDepthStencilAround(GLuint target, int x, int y) const;

    int Samples() const { return samples_; }
    // Where in its pixel (0..1 from the lower left) the resolved depth was
    // taken.
    double SampleX() const { return sampleX_; }
    double SampleY() const { return sampleY_; }

    void Release();

    // The most samples, up to `wanted`, whose buffers for width x height
    // pixels fit in `budget` bytes (colour and depth-stencil, 8 bytes a
    // sample); 0 when not even 2 do.
    static int SamplesWithin(int wanted, int width, int height, double budget);

private:
    bool Make(int width, int height, int count, double budget);

    const FramebufferFunctions &fb_;
    GLuint framebuffer_ = 0, color_ = 0, depth_ = 0;
    int width_ = 0, height_ = 0, asked_ = 0, samples_ = 0;
    double sampleX_ = 0.5, sampleY_ = 0.5;
};

#include "view3d/MultisampleTarget.h"

#include <algorithm>

bool MultisampleTarget::Prepare(int width, int height, int samples, double budget)
{
    if (framebuffer_ != 0 && width == width_ && height == height_ && samples == asked_)
        return true;
    Release();
    if (width <= 0 || height <= 0)
        return false;
    GLint most = 0;
    glGetIntegerv(GL_MAX_SAMPLES, &most);
    const int count = std::min(samples, int(most));
    if (count < 2)
        return false;

    while (glGetError() != GL_NO_ERROR) {
    }
    // Whatever happens here, the caller's framebuffer stays bound: a target
    // given up would otherwise leave no framebuffer at all to draw into.
    GLint bound = 0;
    glGetIntegerv(GL_FRAMEBUFFER_BINDING, &bound);
    const bool made = Make(width, height, count, budget);
    fb_.bindFramebuffer(GL_FRAMEBUFFER, GLuint(bound));
    if (made)
        asked_ = samples;
    return made;
}

bool MultisampleTarget::Make(int width, int height, int count, double budget)
{
    fb_.genFramebuffers(1, &framebuffer_);
    fb_.bindFramebuffer(GL_FRAMEBUFFER, framebuffer_);
    fb_.genRenderbuffers(1, &color_);
    fb_.bindRenderbuffer(GL_RENDERBUFFER, color_);
    fb_.renderbufferStorageMultisample(GL_RENDERBUFFER, count, GL_RGBA8, width, height);
    fb_.framebufferRenderbuffer(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_RENDERBUFFER, color_);
    fb_.genRenderbuffers(1, &depth_);
    fb_.bindRenderbuffer(GL_RENDERBUFFER, depth_);
    fb_.renderbufferStorageMultisample(GL_RENDERBUFFER, count, GL_DEPTH24_STENCIL8, width, height);
    fb_.framebufferRenderbuffer(GL_FRAMEBUFFER, GL_DEPTH_STENCIL_ATTACHMENT, GL_RENDERBUFFER, depth_);
    // Buffers the driver could not allocate leave an error behind.
    if (fb_.checkFramebufferStatus(GL_FRAMEBUFFER) != GL_FRAMEBUFFER_COMPLETE || glGetError() != GL_NO_ERROR) {
        Release();
        while (glGetError() != GL_NO_ERROR) {
        }
        return false;
    }
    GLint given = 0;
    glGetIntegerv(GL_SAMPLES, &given);
    if (SamplesWithin(int(given), width, height, budget) != int(given)) {
        Release();
        return false;
    }
    GLfloat position[2] = {0.5f, 0.5f};
    if (fb_.getMultisamplefv)
        fb_.getMultisamplefv(GL_SAMPLE_POSITION, 0, position);
    width_ = width;
    height_ = height;
    samples_ = int(given);
    sampleX_ = position[0];
    sampleY_ = position[1];
    return true;
}

void MultisampleTarget::Bind() const
{
    fb_.bindFramebuffer(GL_FRAMEBUFFER, framebuffer_);
}

void MultisampleTarget::ResolveColor(GLuint target) const
{
    fb_.bindFramebuffer(GL_READ_FRAMEBUFFER, framebuffer_);
    fb_.bindFramebuffer(GL_DRAW_FRAMEBUFFER, target);
    fb_.blitFramebuffer(0, 0, width_, height_, 0, 0, width_, height_, GL_COLOR_BUFFER_BIT, GL_NEAREST);
    fb_.bindFramebuffer(GL_FRAMEBUFFER, target);
}

void MultisampleTarget::ResolveDepthStencilAround(GLuint target, int x, int y) const
{
    const int x0 = std::max(0, x - 1), y0 = std::max(0, y - 1);
    const int x1 = std::min(width_, x + 2), y1 = std::min(height_, y + 2);
    fb_.bindFramebuffer(GL_READ_FRAMEBUFFER, framebuffer_);
    fb_.bindFramebuffer(GL_DRAW_FRAMEBUFFER, target);
    fb_.blitFramebuffer(x0, y0, x1, y1, x0, y0, x1, y1, GL_DEPTH_BUFFER_BIT | GL_STENCIL_BUFFER_BIT,
                        GL_NEAREST);
    fb_.bindFramebuffer(GL_FRAMEBUFFER, target);
}

void MultisampleTarget::Release()
{
    if (framebuffer_ != 0) {
        fb_.deleteFramebuffers(1, &framebuffer_);
        fb_.deleteRenderbuffers(1, &color_);
        fb_.deleteRenderbuffers(1, &depth_);
    }
    framebuffer_ = color_ = depth_ = 0;
    width_ = height_ = asked_ = samples_ = 0;
    sampleX_ = sampleY_ = 0.5;
}

int MultisampleTarget::SamplesWithin(int wanted, int width, int height, double budget)
{
    const double perSample = 8.0 * width * height;
    for (int samples = wanted; samples >= 2; samples /= 2)
        if (samples * perSample <= budget)
            return samples;
    return 0;
}

// SPDX-FileCopyrightText: 2026 The Veltrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "view3d/FramebufferFunctions.h"

namespace {

template <typename F> bool LoadOne(const FramebufferFunctions::Resolver &resolve, F &f, const char *name)
{
    f = reinterpret_cast<F>(resolve(name));
    return f != nullptr;
}

} // namespace

bool FramebufferFunctions::Load(const Resolver &resolve)
{
    LoadOne(resolve, getMultisamplefv, "glGetMultisamplefv");
    return LoadOne(resolve, genFramebuffers, "glGenFramebuffers") &&
           LoadOne(resolve, deleteFramebuffers, "glDeleteFramebuffers") &&
           LoadOne(resolve, bindFramebuffer, "glBindFramebuffer") &&
           LoadOne(resolve, framebufferRenderbuffer, "glFramebufferRenderbuffer") &&
           LoadOne(resolve, checkFramebufferStatus, "glCheckFramebufferStatus") &&
           LoadOne(resolve, genRenderbuffers, "glGenRenderbuffers") &&
           LoadOne(resolve, deleteRenderbuffers, "glDeleteRenderbuffers") &&
           LoadOne(resolve, bindRenderbuffer, "glBindRenderbuffer") &&
           LoadOne(resolve, renderbufferStorage, "glRenderbufferStorage") &&
           LoadOne(resolve, renderbufferStorageMultisample, "glRenderbufferStorageMultisample") &&
           LoadOne(resolve, blitFramebuffer, "glBlitFramebuffer");
}

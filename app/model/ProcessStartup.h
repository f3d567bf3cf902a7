// SPDX-FileCopyrightText: 2026 The Veltrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// What the process sets up before anything else, the same for every program
// that works on documents.
//
// A file-size limit (RLIMIT_FSIZE) ends a process by SIGXFSZ when a write
// crosses it: saving would kill the program and the unsaved document with
// it.  Ignored, the signal leaves the write failing with EFBIG, and saving
// reports that and keeps both the document and the previous file.
void PrepareProcess();

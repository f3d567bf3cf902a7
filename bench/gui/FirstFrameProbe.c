/*
 * SPDX-FileCopyrightText: 2026 The Veltrix developers
 * SPDX-License-Identifier: GPL-3.0-or-later
 */

/* Preloaded into a GUI program (LD_PRELOAD): at the program's first frame
 * on the screen prints one line
 *   first-frame wall_ms=W cpu_ms=C rss_kb=R hwm_kb=H size=WIDTHxHEIGHT
 * and ends the process.  W counts from FIRST_FRAME_T0_NS (CLOCK_REALTIME
 * nanoseconds taken by the launcher just before it started the program),
 * C is the user and system time of all the process's threads, and the line
 * ends with the size of the program's window.
 *
 * The first frame is the first glXSwapBuffers (with FIRST_FRAME_SWAPS=N the
 * N-th) of a window of its own; when the window swapped is a child of the
 * top-level window (an OpenGL window inside widgets), the frame is on the
 * screen once the top-level window's widgets have been put there too, by
 * the raster backing store's first image put into it.  Run without a window
 * manager, which would put a frame of its own between the two. */
#define _GNU_SOURCE
#include <dlfcn.h>
#include <stdint.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/resource.h>
#include <time.h>
#include <unistd.h>

typedef void (*SwapFunction)(void *display, unsigned long drawable);
typedef void (*GetIntegersFunction)(unsigned int name, int *values);
typedef int (*QueryTreeFunction)(void *display, unsigned long w, unsigned long *root, unsigned long *parent,
                                 unsigned long **children, unsigned int *count);
typedef int (*GetGeometryFunction)(void *display, unsigned long d, unsigned long *root, int *x, int *y,
                                   unsigned int *width, unsigned int *height, unsigned int *border,
                                   unsigned int *depth);
typedef int (*FreeFunction)(void *data);

/* Windows the raster backing store has put images into so far. */
static unsigned long filled[64];
static int filledCount;
/* The top-level window whose first image ends the run, once swapped. */
static unsigned long awaited;
static int width, height;

static long StatusKb(const char *field)
{
    FILE *f = fopen("/proc/self/status", "r");
    char line[256];
    long kb = -1;
    if (!f)
        return -1;
    while (fgets(line, sizeof line, f))
        if (strncmp(line, field, strlen(field)) == 0)
            kb = atol(line + strlen(field));
    fclose(f);
    return kb;
}

static void Finish(void)
{
    struct timespec now;
    clock_gettime(CLOCK_REALTIME, &now);
    const char *t0 = getenv("FIRST_FRAME_T0_NS");
    const double wall = t0 ? ((double)now.tv_sec * 1e9 + now.tv_nsec - atof(t0)) / 1e6 : -1;
    struct rusage usage;
    getrusage(RUSAGE_SELF, &usage);
    const double cpu = (usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) * 1e3 +
                       (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e3;
    fprintf(stderr, "first-frame wall_ms=%.1f cpu_ms=%.1f rss_kb=%ld hwm_kb=%ld size=%dx%d\n", wall, cpu,
            StatusKb("VmRSS:"), StatusKb("VmHWM:"), width, height);
    fflush(stderr);
    _exit(0);
}

static int Filled(unsigned long window)
{
    for (int i = 0; i < filledCount; ++i)
        if (filled[i] == window)
            return 1;
    return 0;
}

static void ImagePut(unsigned long drawable)
{
    if (awaited && drawable == awaited)
        Finish();
    if (!Filled(drawable) && filledCount < (int)(sizeof filled / sizeof filled[0]))
        filled[filledCount++] = drawable;
}

/* The window `drawable` lies in, when that is not the screen's root. */
static unsigned long TopLevelAbove(void *display, unsigned long drawable)
{
    const QueryTreeFunction queryTree = (QueryTreeFunction)dlsym(RTLD_DEFAULT, "XQueryTree");
    const FreeFunction xFree = (FreeFunction)dlsym(RTLD_DEFAULT, "XFree");
    unsigned long root = 0, parent = 0, *children = NULL;
    unsigned int count = 0;
    if (!queryTree || !queryTree(display, drawable, &root, &parent, &children, &count))
        return 0;
    if (children && xFree)
        xFree(children);
    return parent == root ? 0 : parent;
}

static void SizeOf(void *display, unsigned long window)
{
    const GetGeometryFunction getGeometry = (GetGeometryFunction)dlsym(RTLD_DEFAULT, "XGetGeometry");
    unsigned long root = 0;
    int x = 0, y = 0;
    unsigned int w = 0, h = 0, border = 0, depth = 0;
    if (getGeometry && getGeometry(display, window, &root, &x, &y, &w, &h, &border, &depth)) {
        width = (int)w;
        height = (int)h;
    }
}

void glXSwapBuffers(void *display, unsigned long drawable)
{
    static SwapFunction real;
    static int swaps;
    if (!real)
        real = (SwapFunction)dlsym(RTLD_NEXT, "glXSwapBuffers");
    real(display, drawable);
    const char *wanted = getenv("FIRST_FRAME_SWAPS");
    if (awaited || ++swaps < (wanted ? atoi(wanted) : 1))
        return;
    const unsigned long topLevel = TopLevelAbove(display, drawable);
    SizeOf(display, topLevel ? topLevel : drawable);
    if (!topLevel || Filled(topLevel))
        Finish();
    awaited = topLevel;
}

typedef struct {
    unsigned int sequence;
} Cookie;

typedef Cookie (*ShmPutFunction)(void *c, uint32_t drawable, uint32_t gc, uint16_t totalWidth, uint16_t totalHeight,
                                 uint16_t srcX, uint16_t srcY, uint16_t srcWidth, uint16_t srcHeight, int16_t dstX,
                                 int16_t dstY, uint8_t depth, uint8_t format, uint8_t sendEvent, uint32_t segment,
                                 uint32_t offset);

Cookie xcb_shm_put_image(void *c, uint32_t drawable, uint32_t gc, uint16_t totalWidth, uint16_t totalHeight,
                         uint16_t srcX, uint16_t srcY, uint16_t srcWidth, uint16_t srcHeight, int16_t dstX,
                         int16_t dstY, uint8_t depth, uint8_t format, uint8_t sendEvent, uint32_t segment,
                         uint32_t offset)
{
    static ShmPutFunction real;
    if (!real)
        real = (ShmPutFunction)dlsym(RTLD_NEXT, "xcb_shm_put_image");
    const Cookie cookie = real(c, drawable, gc, totalWidth, totalHeight, srcX, srcY, srcWidth, srcHeight, dstX, dstY,
                               depth, format, sendEvent, segment, offset);
    ImagePut(drawable);
    return cookie;
}

typedef Cookie (*PutFunction)(void *c, uint8_t format, uint32_t drawable, uint32_t gc, uint16_t width,
                              uint16_t height, int16_t dstX, int16_t dstY, uint8_t leftPad, uint8_t depth,
                              uint32_t length, const uint8_t *data);

Cookie xcb_put_image(void *c, uint8_t format, uint32_t drawable, uint32_t gc, uint16_t w, uint16_t h, int16_t dstX,
                     int16_t dstY, uint8_t leftPad, uint8_t depth, uint32_t length, const uint8_t *data)
{
    static PutFunction real;
    if (!real)
        real = (PutFunction)dlsym(RTLD_NEXT, "xcb_put_image");
    const Cookie cookie = real(c, format, drawable, gc, w, h, dstX, dstY, leftPad, depth, length, data);
    ImagePut(drawable);
    return cookie;
}

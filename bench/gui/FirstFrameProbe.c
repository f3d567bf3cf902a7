/*
 * SPDX-FileCopyrightText: 2026 The Veltrix developers
 * SPDX-License-Identifier: GPL-3.0-or-later
 */

/* Preloaded into a GUI program (LD_PRELOAD): at the program's first
 * glXSwapBuffers (its first frame reaching the window) prints one line
 *   first-frame wall_ms=W cpu_ms=C rss_kb=R hwm_kb=H size=WIDTHxHEIGHT
 * and ends the process.  W counts from FIRST_FRAME_T0_NS (CLOCK_REALTIME
 * nanoseconds taken by the launcher just before it started the program),
 * C is the user and system time of all the process's threads, and the line
 * ends with the window's size (the viewport of the frame swapped).  With
 * FIRST_FRAME_SWAPS=N it waits for the N-th swap instead. */
#define _GNU_SOURCE
#include <dlfcn.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/resource.h>
#include <time.h>
#include <unistd.h>

typedef void (*SwapFunction)(void *display, unsigned long drawable);
typedef void (*GetIntegersFunction)(unsigned int name, int *values);

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

void glXSwapBuffers(void *display, unsigned long drawable)
{
    static SwapFunction real;
    static int swaps;
    if (!real)
        real = (SwapFunction)dlsym(RTLD_NEXT, "glXSwapBuffers");
    real(display, drawable);
    const char *wanted = getenv("FIRST_FRAME_SWAPS");
    if (++swaps < (wanted ? atoi(wanted) : 1))
        return;
    struct timespec now;
    clock_gettime(CLOCK_REALTIME, &now);
    const char *t0 = getenv("FIRST_FRAME_T0_NS");
    const double wall = t0 ? ((double)now.tv_sec * 1e9 + now.tv_nsec - atof(t0)) / 1e6 : -1;
    struct rusage usage;
    getrusage(RUSAGE_SELF, &usage);
    const double cpu = (usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) * 1e3 +
                       (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e3;
    /* glGetIntegerv(GL_VIEWPORT): the window composed into, whole. */
    int viewport[4] = {0, 0, 0, 0};
    const GetIntegersFunction getIntegers = (GetIntegersFunction)dlsym(RTLD_DEFAULT, "glGetIntegerv");
    if (getIntegers)
        getIntegers(0x0BA2u, viewport);
    fprintf(stderr, "first-frame wall_ms=%.1f cpu_ms=%.1f rss_kb=%ld hwm_kb=%ld size=%dx%d\n", wall, cpu,
            StatusKb("VmRSS:"), StatusKb("VmHWM:"), viewport[2], viewport[3]);
    fflush(stderr);
    _exit(0);
}

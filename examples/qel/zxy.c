/*
 * SPDX-FileCopyrightText: 2026 The Veltrix developers
 * SPDX-License-Identifier: LGPL-3.0-or-later
 */

/* Compiles z(x,y)=x*y with libqel and prints a few of its values.
 *
 *   cc zxy.c $(pkg-config --cflags --libs qel) -o zxy
 *
 * or with CMake: find_package(qel) and link qel::qel (CMakeLists.txt). */
#include <qel/qel.h>
#include <stdio.h>

int main(void)
{
    /* The variables of the definition z(x,y): name, value, range, steps. */
    VariableRecord vars[2] = {{"x", 0.0, -5.0, 5.0, 20}, {"y", 0.0, -5.0, 5.0, 20}};
    int32_t stop = 0;
    int32_t z = new_function();
    if (z < 0) {
        fprintf(stderr, "zxy: no free function slot\n");
        return 1;
    }
    if (initialize_function(z, "x*y", vars, 2, &stop) != 0) {
        fprintf(stderr, "zxy: x*y does not compile (stopped at %d)\n", (int)stop);
        return 1;
    }

    const double points[][2] = {{2.0, 3.0}, {-1.5, 4.0}, {0.5, 0.5}};
    int failed = 0;
    for (int k = 0; k < 3; ++k) {
        double value = 0.0;
        if (execute_function(z, points[k], &value) != 0) {
            fprintf(stderr, "zxy: z(%g,%g) cannot be evaluated\n", points[k][0], points[k][1]);
            failed = 1;
            continue;
        }
        printf("z(%g,%g)=%g\n", points[k][0], points[k][1], value);
    }
    delete_function(z);
    return failed;
}

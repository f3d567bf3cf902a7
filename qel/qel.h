/*
 * qel — compiles and evaluates the expressions of Veltrix function
 * definitions.  A flat C interface over integer handles (0..99).
 *
 * Texts and variable names handed in are copied by the library.  The names
 * inside records filled by get_function_variables belong to the library and
 * stay valid until the function is reset, recompiled, loaded or deleted.
 * get_function_text returns a malloc'ed copy that the caller frees.
 */
#ifndef QEL_QEL_H
#define QEL_QEL_H

#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

#if defined(QEL_BUILDING_LIBRARY)
#define QEL_API __attribute__((visibility("default")))
#else
#define QEL_API
#endif

typedef struct VariableRecord {
    const char *name;
    double value;
    double min;
    double max;
    int32_t steps;
} VariableRecord;

/* Angle units of a function (set_function_angle_mode). */
enum {
    QEL_DEGREES = 0,
    QEL_RADIANS = 1,
    QEL_GRADS = 2
};

QEL_API int32_t new_function(void);
QEL_API int32_t delete_function(int32_t handle);
QEL_API void delete_all(void);
QEL_API int32_t initialize_function(int32_t handle, const char *text, const VariableRecord *vars,
                                    int32_t count, int32_t *stop_position);
QEL_API int32_t execute_function(int32_t handle, const double *values, double *result);
QEL_API int32_t set_function_angle_mode(int32_t handle, int32_t mode);
QEL_API char *get_function_text(int32_t handle);
QEL_API int32_t get_function_n_var(int32_t handle);
QEL_API int32_t get_function_angle_mode(int32_t handle);
QEL_API int32_t is_function_initialized(int32_t handle);
QEL_API void get_function_variables(int32_t handle, VariableRecord *dest);
QEL_API int32_t modify_function_variable(int32_t handle, VariableRecord record);
QEL_API int32_t get_function_variable(int32_t handle, const char *name, VariableRecord *record);
QEL_API void reset_function(int32_t handle);
/* fd: an open POSIX file descriptor; the block starts at its current
 * position and the position is left directly after the block. */
QEL_API int32_t store_function(int32_t handle, int fd);
QEL_API int32_t load_function(int32_t handle, int fd);

#ifdef __cplusplus
}
#endif

#endif /* QEL_QEL_H */

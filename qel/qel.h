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

/* Most expressions one function's text may hold (set_function_components). */
enum {
    QEL_MAX_COMPONENTS = 3
};

/* Angle units of a function (set_function_angle_mode). */
enum {
    QEL_DEGREES = 0,
    QEL_RADIANS = 1,
    QEL_GRADS = 2
};

/*
 * Every function that takes a handle checks that it lies in 0..99 before it
 * touches the slot.  "Not there" below means a handle outside 0..99 or an
 * empty slot.
 */

/* Takes the lowest empty slot for a new function (not compiled, radians).
 *   0..99  the new function's handle
 *   -1     all 100 slots are used */
QEL_API int32_t new_function(void);

/* Resets and destroys the function and empties its slot.
 *   1      deleted
 *   0      not there */
QEL_API int32_t delete_function(int32_t handle);

/* delete_function for every used slot. */
QEL_API void delete_all(void);

/* Compiles `text` over a copy of the `count` variables of `vars`.  When the
 * parser ran, *stop_position (if given) is where it stopped, on failure
 * too; text left after a complete expression is a syntax error.
 *   0      compiled
 *   1      syntax error: the function is reset (its angle unit stays)
 *   3      already compiled: nothing changes
 *   4      text is null: the function stays not compiled
 *   -1     not there (outside 0..99 or an empty slot alike) */
QEL_API int32_t initialize_function(int32_t handle, const char *text, const VariableRecord *vars,
                                    int32_t count, int32_t *stop_position);

/* Evaluates with `values` (one per variable, in table order; null: the
 * current values), which then stay as the current values; *result may be
 * null.
 *   0      evaluated
 *   1      not compiled
 *   -1     handle outside 0..99
 *   -2     empty slot */
QEL_API int32_t execute_function(int32_t handle, const double *values, double *result);

/* QEL_DEGREES, QEL_RADIANS or QEL_GRADS; any other mode is ignored.
 *   0      done (an ignored mode too)
 *   -1     handle outside 0..99
 *   -2     empty slot */
QEL_API int32_t set_function_angle_mode(int32_t handle, int32_t mode);

/* A malloc'ed copy of the expression text, which the caller frees.
 *   text   compiled
 *   null   not compiled, or not there */
QEL_API char *get_function_text(int32_t handle);

/*   n      the number of variables, constants included
 *   0      not there (or a function without variables) */
QEL_API int32_t get_function_n_var(int32_t handle);

/*   0..2   the angle unit (QEL_DEGREES, QEL_RADIANS, QEL_GRADS)
 *   -1     handle outside 0..99
 *   -2     empty slot */
QEL_API int32_t get_function_angle_mode(int32_t handle);

/*   1      compiled
 *   0      not compiled
 *   -1     handle outside 0..99
 *   -2     empty slot */
QEL_API int32_t is_function_initialized(int32_t handle);

/* Copies the whole variable table (get_function_n_var records) into `dest`;
 * the names stay the library's.  Copies nothing for a function not there
 * or without variables. */
QEL_API void get_function_variables(int32_t handle, VariableRecord *dest);

/* Gives the variable named record.name the record's value, min, max and
 * steps (names are compared exactly).
 *   1      found and changed
 *   0      no such variable, or not there */
QEL_API int32_t modify_function_variable(int32_t handle, VariableRecord record);

/* Fills in value, min, max and steps of the variable `name`; the record's
 * name is left as it was.
 *   1      found
 *   0      no such variable, or not there */
QEL_API int32_t get_function_variable(int32_t handle, const char *name, VariableRecord *record);

/* Frees text, program and variable table: the function is not compiled;
 * its angle unit stays.  Nothing for a function not there. */
QEL_API void reset_function(int32_t handle);

/* fd: an open POSIX file descriptor; the block starts at its current
 * position and the position is left directly after the block.
 *   1      written
 *   0      not there, not compiled, or a write fell short (what was
 *          written stays in the file) */
QEL_API int32_t store_function(int32_t handle, int fd);

/* Resets the function, reads a block at the descriptor's position and
 * compiles it.
 *   1      compiled
 *   0      not there, a short read, a damaged block or a syntax error:
 *          the function is left reset */
QEL_API int32_t load_function(int32_t handle, int fd);

/*
 * Tuples.  A function's text is one expression, or, once the function is
 * set to 2 or 3 components, a tuple of that many expressions in
 * parentheses, separated by commas: "(cos(u)*3, sin(u)*3, v)".  Blanks may
 * stand before and after the tuple's parentheses and commas; inside each
 * expression the language is the same as ever.  Each expression is compiled
 * over the one variable table.  initialize_function and load_function take
 * the count into account; a failing tuple reports, as its stop position,
 * the character where the analysis ended: inside a faulty expression, or
 * the '(' ',' or ')' that is missing or out of place.  store_function writes
 * the tuple's text as it was given, in the same block as ever; the count
 * itself is not stored, so a reader sets it before load_function.
 * execute_function gives the first component.  A new function has one
 * component, and everything above behaves exactly as without these three
 * functions.
 */

/* The number of components the next compile expects, 1..QEL_MAX_COMPONENTS;
 * any other count is ignored.  It survives reset_function and a failed
 * compile, like the angle unit.
 *   0      done (an ignored count too)
 *   3      already compiled: nothing changes (reset the function first)
 *   -1     handle outside 0..99
 *   -2     empty slot */
QEL_API int32_t set_function_components(int32_t handle, int32_t count);

/*   1..QEL_MAX_COMPONENTS  the function's number of components
 *   -1     handle outside 0..99
 *   -2     empty slot */
QEL_API int32_t get_function_components(int32_t handle);

/* Evaluates every component with `values` (as execute_function) into
 * results[0 .. components-1]; results may be null.
 *   0      evaluated
 *   1      not compiled
 *   -1     handle outside 0..99
 *   -2     empty slot */
QEL_API int32_t execute_function_components(int32_t handle, const double *values, double *results);

#ifdef __cplusplus
}
#endif

#endif /* QEL_QEL_H */

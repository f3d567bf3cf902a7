// The floor of a picture job on this machine: the least a program must do to
// draw what veltrix-export draws for the comparison's document, with no Qt and
// no document.  An EGL context on Mesa's surfaceless platform, a framebuffer,
// the 200 x 200 cells of z = cos(x) sin(y) as gradient-coloured triangles with
// their outlines, read back and written as a PNG with libpng.
//   floor_program OUT.png [STEPS [WIDTH HEIGHT]]
#define EGL_NO_X11
#include <EGL/egl.h>
#include <EGL/eglext.h>
#define GL_GLEXT_PROTOTYPES
#include <GL/gl.h>
#include <GL/glext.h>
#include <GL/glu.h>
#include <png.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

bool MakeContext()
{
    const EGLDisplay display =
        eglGetPlatformDisplay(EGL_PLATFORM_SURFACELESS_MESA, EGL_DEFAULT_DISPLAY, nullptr);
    if (display == EGL_NO_DISPLAY || !eglInitialize(display, nullptr, nullptr) || !eglBindAPI(EGL_OPENGL_API))
        return false;
    const EGLint attributes[] = {EGL_CONTEXT_MAJOR_VERSION, 3, EGL_CONTEXT_MINOR_VERSION, 0,
                                 EGL_CONTEXT_OPENGL_PROFILE_MASK, EGL_CONTEXT_OPENGL_COMPATIBILITY_PROFILE_BIT,
                                 EGL_NONE};
    const EGLContext context = eglCreateContext(display, EGL_NO_CONFIG_KHR, EGL_NO_CONTEXT, attributes);
    return context != EGL_NO_CONTEXT && eglMakeCurrent(display, EGL_NO_SURFACE, EGL_NO_SURFACE, context);
}

void MakeFramebuffer(int width, int height)
{
    GLuint fb = 0, buffers[2] = {0, 0};
    glGenFramebuffers(1, &fb);
    glBindFramebuffer(GL_FRAMEBUFFER, fb);
    glGenRenderbuffers(2, buffers);
    glBindRenderbuffer(GL_RENDERBUFFER, buffers[0]);
    glRenderbufferStorage(GL_RENDERBUFFER, GL_RGBA8, width, height);
    glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_RENDERBUFFER, buffers[0]);
    glBindRenderbuffer(GL_RENDERBUFFER, buffers[1]);
    glRenderbufferStorage(GL_RENDERBUFFER, GL_DEPTH24_STENCIL8, width, height);
    glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_DEPTH_STENCIL_ATTACHMENT, GL_RENDERBUFFER, buffers[1]);
}

// The grid's points, their colors from red (low) to cyan (high), the two
// triangles and four outline edges of every cell.
struct Grid {
    std::vector<GLfloat> points;
    std::vector<GLubyte> colors;
    std::vector<GLuint> triangles, lines;
};

Grid MakeGrid(int steps)
{
    Grid g;
    const int n = steps + 1;
    const double step = 10.0 / steps;
    for (int i = 0; i < n; ++i) {
        for (int j = 0; j < n; ++j) {
            const double x = -5 + i * step, y = -5 + j * step, z = std::cos(x) * std::sin(y);
            g.points.insert(g.points.end(), {GLfloat(x), GLfloat(z), GLfloat(y)});
            const double t = (z + 1) / 2;
            g.colors.insert(g.colors.end(), {GLubyte(255 - 255 * t), GLubyte(255 * t), GLubyte(255 * t)});
        }
    }
    for (int i = 0; i + 1 < n; ++i) {
        for (int j = 0; j + 1 < n; ++j) {
            const GLuint p0 = GLuint(i * n + j), p1 = p0 + GLuint(n), p2 = p1 + 1, p3 = p0 + 1;
            g.triangles.insert(g.triangles.end(), {p0, p1, p3, p1, p2, p3});
            g.lines.insert(g.lines.end(), {p0, p1, p1, p2, p2, p3, p3, p0});
        }
    }
    return g;
}

void Draw(const Grid &g, int width, int height)
{
    glViewport(0, 0, width, height);
    glEnable(GL_DEPTH_TEST);
    glShadeModel(GL_SMOOTH);
    glClearColor(0, 0, 0, 1);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT | GL_STENCIL_BUFFER_BIT);
    glMatrixMode(GL_PROJECTION);
    gluPerspective(45, double(width) / height, 0.1, 100);
    glRotated(20, 1, 0, 0);
    glRotated(-15, 0, 1, 0);
    glTranslated(-4, -7, -20);
    glEnableClientState(GL_VERTEX_ARRAY);
    glVertexPointer(3, GL_FLOAT, 0, g.points.data());
    glEnableClientState(GL_COLOR_ARRAY);
    glColorPointer(3, GL_UNSIGNED_BYTE, 0, g.colors.data());
    glEnable(GL_POLYGON_OFFSET_FILL);
    glPolygonOffset(1, 1);
    glDrawElements(GL_TRIANGLES, GLsizei(g.triangles.size()), GL_UNSIGNED_INT, g.triangles.data());
    glDisable(GL_POLYGON_OFFSET_FILL);
    glDisableClientState(GL_COLOR_ARRAY);
    glColor3ub(0, 0, 0);
    glDrawElements(GL_LINES, GLsizei(g.lines.size()), GL_UNSIGNED_INT, g.lines.data());
}

bool WritePng(const char *path, const std::vector<unsigned char> &rgba, int width, int height)
{
    FILE *out = std::fopen(path, "wb");
    if (!out)
        return false;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        std::fclose(out);
        return false;
    }
    png_init_io(png, out);
    png_set_IHDR(png, info, png_uint_32(width), png_uint_32(height), 8, PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    png_set_filler(png, 0, PNG_FILLER_AFTER);   // RGBA rows, RGB pixels
    // OpenGL's rows run bottom-up.
    for (int y = height - 1; y >= 0; --y)
        png_write_row(png, &rgba[size_t(y) * size_t(width) * 4]);
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    return std::fclose(out) == 0;
}

} // namespace

int main(int argc, char **argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: floor_program OUT.png [STEPS [WIDTH HEIGHT]]\n");
        return 2;
    }
    const int steps = argc > 2 ? std::atoi(argv[2]) : 200;
    const int width = argc > 4 ? std::atoi(argv[3]) : 1280, height = argc > 4 ? std::atoi(argv[4]) : 1024;
    if (!MakeContext()) {
        std::fprintf(stderr, "floor_program: no OpenGL context\n");
        return 1;
    }
    MakeFramebuffer(width, height);
    Draw(MakeGrid(steps), width, height);
    std::vector<unsigned char> rgba(size_t(width) * size_t(height) * 4);
    glReadPixels(0, 0, width, height, GL_RGBA, GL_UNSIGNED_BYTE, rgba.data());
    if (glGetError() != GL_NO_ERROR || !WritePng(argv[1], rgba, width, height)) {
        std::fprintf(stderr, "floor_program: the picture could not be made\n");
        return 1;
    }
    return 0;
}

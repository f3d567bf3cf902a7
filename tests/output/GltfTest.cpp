// The glTF scene read back with tinygltf's reader: what each mode becomes,
// where the user's coordinates and the camera end up, the texts, and the
// page that carries the same scene.
#include <cmath>
#include <map>

#include <gtest/gtest.h>

#include <QRegularExpression>
#include <tiny_gltf.h>

#include "OutputTestSupport.h"
#include "output/GltfWriter.h"
#include "output/SceneGeometry.h"
#include "output/WebPage.h"
#include "view3d/Camera.h"
#include "view3d/GradientColor.h"

namespace {

struct Vec3 {
    double x = 0, y = 0, z = 0;
};

tinygltf::Model Load(const QByteArray &glb)
{
    tinygltf::Model model;
    tinygltf::TinyGLTF reader;
    std::string error, warning;
    const bool ok = reader.LoadBinaryFromMemory(&model, &error, &warning,
                                                reinterpret_cast<const unsigned char *>(glb.constData()),
                                                unsigned(glb.size()));
    EXPECT_TRUE(ok) << error;
    EXPECT_TRUE(warning.empty()) << warning;
    return model;
}

template <typename T> std::vector<T> Read(const tinygltf::Model &m, int accessor)
{
    const tinygltf::Accessor &a = m.accessors[size_t(accessor)];
    const tinygltf::BufferView &v = m.bufferViews[size_t(a.bufferView)];
    const unsigned char *data = m.buffers[size_t(v.buffer)].data.data() + v.byteOffset + a.byteOffset;
    const size_t n = a.count * size_t(tinygltf::GetNumComponentsInType(uint32_t(a.type)));
    return std::vector<T>(reinterpret_cast<const T *>(data), reinterpret_cast<const T *>(data) + n);
}

// Rotation of a unit quaternion (x, y, z, w) applied to v.
Vec3 Rotate(const std::vector<double> &q, Vec3 v)
{
    const double x = q[0], y = q[1], z = q[2], w = q[3];
    // v + 2w (q x v) + 2 q x (q x v)
    const Vec3 c{y * v.z - z * v.y, z * v.x - x * v.z, x * v.y - y * v.x};
    const Vec3 cc{y * c.z - z * c.y, z * c.x - x * c.z, x * c.y - y * c.x};
    return {v.x + 2 * (w * c.x + cc.x), v.y + 2 * (w * c.y + cc.y), v.z + 2 * (w * c.z + cc.z)};
}

// A node's transform (scale, then rotation, then translation) applied to p.
Vec3 Transform(const tinygltf::Node &n, Vec3 p)
{
    if (!n.scale.empty())
        p = {p.x * n.scale[0], p.y * n.scale[1], p.z * n.scale[2]};
    if (!n.rotation.empty())
        p = Rotate(n.rotation, p);
    if (!n.translation.empty())
        p = {p.x + n.translation[0], p.y + n.translation[1], p.z + n.translation[2]};
    return p;
}

const tinygltf::Node *Child(const tinygltf::Model &m, const tinygltf::Node &parent, const std::string &name)
{
    for (int c : parent.children)
        if (m.nodes[size_t(c)].name == name)
            return &m.nodes[size_t(c)];
    return nullptr;
}

Color MaterialColor(const tinygltf::Model &m, int material)
{
    const std::vector<double> &f = m.materials[size_t(material)].pbrMetallicRoughness.baseColorFactor;
    return MakeColor(SrgbChannel(f[0]), SrgbChannel(f[1]), SrgbChannel(f[2]));
}

// Counts of a mesh's primitives by mode, in primitives (triangles, lines).
std::map<int, size_t> Counts(const tinygltf::Model &m, const tinygltf::Mesh &mesh)
{
    std::map<int, size_t> n;
    for (const tinygltf::Primitive &p : mesh.primitives) {
        const size_t indices = m.accessors[size_t(p.indices)].count;
        n[p.mode] += p.mode == TINYGLTF_MODE_TRIANGLES ? indices / 3 : indices / 2;
    }
    return n;
}

class GltfTest : public ::testing::Test {
protected:
    QByteArray Glb() { return GltfBinary(BuildSceneGeometry(doc, glyphs), QStringLiteral("test.vxf")); }

    CVeltrix2Doc doc;
    GlyphOutlines glyphs;
};

TEST_F(GltfTest, EveryModeBecomesWhatTheViewDraws)
{
    const Color c1 = MakeColor(32, 64, 192), c2 = MakeColor(255, 224, 64);
    doc.Settings().backgroundColor = MakeColor(10, 20, 30);
    ASSERT_TRUE(AddPlot(doc, {"Wave", "z(x,y)=x*y/5", Gradient, -5, 5, 4, -5, 5, 4, true, c1, c2}));
    ASSERT_TRUE(AddPlot(doc, {"Chess", "z(x,y)=1", ChessBoard, -5, 5, 4, -5, 5, 4, true, c1, c2}));
    ASSERT_TRUE(AddPlot(doc, {"Filled", "z(x,y)=2", FilledPolygons, -5, 5, 4, -5, 5, 4, true, c1, c2}));
    ASSERT_TRUE(AddPlot(doc, {"Wire", "z(x,y)=3", WireFrame, -5, 5, 4, -5, 5, 4, true, c1, c2}));
    ASSERT_TRUE(AddPlot(doc, {"Hidden", "z(x,y)=4", WireFrame, -5, 5, 4, -5, 5, 4, false, c1, c2}));
    ASSERT_TRUE(AddPlot(doc, {"Curve", "z(x,t)=x/2", Gradient, -5, 5, 8, 0, 0, 0, true, c1, c2}));
    const tinygltf::Model m = Load(Glb());

    ASSERT_EQ(m.scenes.size(), 1u);
    ASSERT_EQ(m.scenes[0].nodes.size(), 3u);
    const tinygltf::Node &plot = m.nodes[size_t(m.scenes[0].nodes[0])];
    std::vector<std::string> names;
    for (int c : plot.children)
        names.push_back(m.nodes[size_t(c)].name);
    EXPECT_EQ(names, (std::vector<std::string>{"Wave", "Chess", "Filled", "Wire", "Curve", "cube",
                                               "reference marks", "axes"}));
    auto mesh = [&](const char *name) -> const tinygltf::Mesh & {
        return m.meshes[size_t(Child(m, plot, name)->mesh)];
    };

    // 16 cells: 32 triangles; outlines and wire frames 4 edges a cell.
    const std::map<int, size_t> faces{{TINYGLTF_MODE_TRIANGLES, 32}};
    const std::map<int, size_t> outlined{{TINYGLTF_MODE_TRIANGLES, 32}, {TINYGLTF_MODE_LINE, 64}};
    EXPECT_EQ(Counts(m, mesh("Wave")), outlined);
    EXPECT_EQ(Counts(m, mesh("Chess")), faces);
    EXPECT_EQ(Counts(m, mesh("Filled")), outlined);
    EXPECT_EQ(Counts(m, mesh("Wire")), (std::map<int, size_t>{{TINYGLTF_MODE_LINE, 64}}));
    EXPECT_EQ(Counts(m, mesh("Curve")), (std::map<int, size_t>{{TINYGLTF_MODE_LINE, 8}}));

    // Colours as drawn: outlines of a gradient in the background, of filled
    // polygons in colour 2; the chess board in both colours.
    const tinygltf::Mesh &wave = mesh("Wave"), &chess = mesh("Chess"), &filled = mesh("Filled");
    EXPECT_EQ(MaterialColor(m, wave.primitives[1].material), doc.Settings().backgroundColor);
    EXPECT_EQ(MaterialColor(m, chess.primitives[0].material), c1);
    EXPECT_EQ(MaterialColor(m, chess.primitives[1].material), c2);
    EXPECT_EQ(MaterialColor(m, filled.primitives[0].material), c1);
    EXPECT_EQ(MaterialColor(m, filled.primitives[1].material), c2);
    EXPECT_EQ(MaterialColor(m, mesh("Wire").primitives[0].material), c1);
    for (const tinygltf::Material &material : m.materials) {
        EXPECT_TRUE(material.doubleSided);
        EXPECT_EQ(material.extensions.count("KHR_materials_unlit"), 1u);
    }

    // Gradient vertices carry the gradient's colour of their value; the
    // faces carry unit normals.
    const tinygltf::Primitive &surface = wave.primitives[0];
    const auto positions = Read<float>(m, surface.attributes.at("POSITION"));
    const auto colors = Read<float>(m, surface.attributes.at("COLOR_0"));
    const auto normals = Read<float>(m, surface.attributes.at("NORMAL"));
    ASSERT_EQ(positions.size(), 25u * 3);
    for (size_t v = 0; v < 25; ++v) {
        const Color expected = GradientColor(-5, 5, positions[v * 3 + 2], c1, c2);
        const Color got = MakeColor(SrgbChannel(colors[v * 3]), SrgbChannel(colors[v * 3 + 1]),
                                    SrgbChannel(colors[v * 3 + 2]));
        EXPECT_EQ(got, expected) << v;
        const double length = std::hypot(normals[v * 3], normals[v * 3 + 1], normals[v * 3 + 2]);
        EXPECT_NEAR(length, 1, 1e-6);
    }
    EXPECT_EQ(Read<float>(m, mesh("Curve").primitives[0].attributes.at("COLOR_0")).size(), 9u * 3);

    // The root shows the user's point (x, y, z) where the view does: at GL
    // (x, z, y).
    const Vec3 p{positions[0], positions[1], positions[2]};
    const Vec3 world = Transform(plot, p);
    EXPECT_NEAR(world.x, p.x, 1e-9);
    EXPECT_NEAR(world.y, p.z, 1e-9);
    EXPECT_NEAR(world.z, p.y, 1e-9);
}

TEST_F(GltfTest, CameraAndTextsFaceTheSavedView)
{
    ViewSettings &s = doc.Settings();
    s.cameraX = 3;
    s.cameraY = -2;
    s.cameraZ = 12;
    s.cameraPitch = -35;
    s.cameraYaw = 50;
    s.fieldOfView = 60;
    s.axisLabelY = "depth";
    const tinygltf::Model m = Load(Glb());

    const tinygltf::Node &camera = m.nodes[size_t(m.scenes[0].nodes[2])];
    ASSERT_GE(camera.camera, 0);
    EXPECT_EQ(camera.translation, (std::vector<double>{3, -2, 12}));
    Camera view;
    view.SetPose({3, -2, 12, -35, 50});
    const Direction sight = LineOfSight(view);
    const Vec3 looks = Rotate(camera.rotation, {0, 0, -1});
    EXPECT_NEAR(looks.x, sight.x, 1e-6);
    EXPECT_NEAR(looks.y, sight.y, 1e-6);
    EXPECT_NEAR(looks.z, sight.z, 1e-6);
    EXPECT_NEAR(m.cameras[0].perspective.yfov, 60 * M_PI / 180, 1e-12);

    // Nine mark numbers and the three axis labels, facing the camera, each a
    // set of closed line strips.
    const tinygltf::Node &labels = m.nodes[size_t(m.scenes[0].nodes[1])];
    std::vector<std::string> texts;
    for (int c : labels.children) {
        const tinygltf::Node &t = m.nodes[size_t(c)];
        texts.push_back(t.name);
        EXPECT_EQ(t.rotation, camera.rotation);
        EXPECT_TRUE(t.extras.Get("billboard").Get<bool>());
        for (const tinygltf::Primitive &p : m.meshes[size_t(t.mesh)].primitives) {
            EXPECT_EQ(p.mode, TINYGLTF_MODE_LINE_STRIP);
            const auto strip = Read<uint32_t>(m, p.indices);
            ASSERT_GE(strip.size(), 4u);
            EXPECT_EQ(strip.front(), strip.back());
        }
    }
    EXPECT_EQ(texts, (std::vector<std::string>{"-5.", "-5.", "-5.", "5.", "5.", "5.", "0", "0", "0", "x", "z",
                                               "depth"}));
}

TEST_F(GltfTest, HiddenFurnitureAndNamesOutsideAscii)
{
    doc.Settings().showCube = 0;
    doc.Settings().showAxes = 0;
    ASSERT_TRUE(AddPlot(doc, {"Fl\xe4"
                              "che <1> & \"2\"",
                              "z(x,y)=0", WireFrame}));
    ASSERT_TRUE(AddPlot(doc, {"", "z(x,y)=1", WireFrame}));
    const SceneGeometry geometry = BuildSceneGeometry(doc, glyphs);
    const QByteArray glb = GltfBinary(geometry, QStringLiteral("a <b>.vxf"));
    const tinygltf::Model m = Load(glb);
    const tinygltf::Node &plot = m.nodes[size_t(m.scenes[0].nodes[0])];
    std::vector<std::string> names;
    for (int c : plot.children)
        names.push_back(m.nodes[size_t(c)].name);
    EXPECT_EQ(names, (std::vector<std::string>{"Fl\xc3\xa4"
                                               "che <1> & \"2\"",
                                               "function 2"}));
    EXPECT_TRUE(m.nodes[size_t(m.scenes[0].nodes[1])].children.empty());

    // The page carries the same scene, and the label as text, not markup.
    const QByteArray page = WebPage(geometry, QStringLiteral("a <b>.vxf"));
    const QRegularExpressionMatch scene =
        QRegularExpression(QStringLiteral("VELTRIX_SCENE = \"([A-Za-z0-9+/=]*)\"")).match(QString::fromUtf8(page));
    ASSERT_TRUE(scene.hasMatch());
    EXPECT_EQ(QByteArray::fromBase64(scene.captured(1).toLatin1()), glb);
    EXPECT_TRUE(page.contains("<title>a &lt;b&gt;.vxf</title>"));
    EXPECT_TRUE(page.contains("Fl\xc3\xa4"
                              "che &lt;1&gt; &amp; &quot;2&quot;</div>"));
}

TEST(GltfColors, LinearChannelsRoundTripEveryByte)
{
    for (int c = 0; c < 256; ++c)
        EXPECT_EQ(SrgbChannel(float(LinearChannel(c))), c);
}

} // namespace

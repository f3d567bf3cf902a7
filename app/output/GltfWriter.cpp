#include "output/GltfWriter.h"

#include <cmath>
#include <cstring>
#include <map>
#include <sstream>
#include <tuple>

#include <QIODevice>
#include <tiny_gltf.h>

#include "output/SceneGeometry.h"

namespace {

using tinygltf::Value;

constexpr int kArrayBuffer = TINYGLTF_TARGET_ARRAY_BUFFER;
constexpr int kElementBuffer = TINYGLTF_TARGET_ELEMENT_ARRAY_BUFFER;

std::vector<double> LinearColor(Color c)
{
    return {LinearChannel(ColorRed(c)), LinearChannel(ColorGreen(c)), LinearChannel(ColorBlue(c))};
}

QString HexColor(Color c)
{
    return QStringLiteral("#%1%2%3")
        .arg(ColorRed(c), 2, 16, QLatin1Char('0'))
        .arg(ColorGreen(c), 2, 16, QLatin1Char('0'))
        .arg(ColorBlue(c), 2, 16, QLatin1Char('0'));
}

// Rotation of the view's camera (yaw about y after pitch about x), as the
// quaternion x, y, z, w; the texts face the camera with it too.
std::vector<double> CameraRotation(double pitchDegrees, double yawDegrees)
{
    const double p = pitchDegrees * M_PI / 360, y = yawDegrees * M_PI / 360;
    const double sp = std::sin(p), cp = std::cos(p), sy = std::sin(y), cy = std::cos(y);
    return {cy * sp, cp * sy, -sy * sp, cy * cp};
}

class ModelBuilder {
public:
    explicit ModelBuilder(const SceneGeometry &scene) : scene_(scene)
    {
        model_.asset.version = "2.0";
        model_.asset.generator = "Veltrix 2.0";
        model_.buffers.emplace_back();
        model_.extensionsUsed.push_back("KHR_materials_unlit");
    }

    tinygltf::Model Build(const QString &title)
    {
        tinygltf::Scene gltfScene;
        gltfScene.name = title.toStdString();
        Value::Object extras;
        extras["background"] = Value(HexColor(scene_.settings.backgroundColor).toStdString());
        gltfScene.extras = Value(extras);
        gltfScene.nodes = {PlotNode(), LabelsNode(), CameraNode()};
        model_.scenes.push_back(gltfScene);
        model_.defaultScene = 0;
        return std::move(model_);
    }

private:
    // The user's coordinates (x, y, z) become glTF's (x, z, y): a turn of
    // -90 degrees about x after mirroring y, as the view maps them.
    int PlotNode()
    {
        tinygltf::Node plot;
        plot.name = "plot";
        plot.rotation = {-M_SQRT1_2, 0, 0, M_SQRT1_2};
        plot.scale = {1, -1, 1};
        for (const FunctionGeometry &f : scene_.functions)
            plot.children.push_back(FunctionNode(f));
        const ViewSettings &s = scene_.settings;
        for (auto [name, lines, color] : {std::tuple{"cube", &scene_.cube, s.cubeColor},
                                          {"reference marks", &scene_.ticks, s.cubeColor},
                                          {"axes", &scene_.axes, s.axesColor}}) {
            if (!lines->empty())
                plot.children.push_back(LinesNode(name, *lines, color));
        }
        return AddNode(std::move(plot));
    }

    int FunctionNode(const FunctionGeometry &f)
    {
        tinygltf::Node node;
        node.name = FunctionName(f.label, f.position).toStdString();
        if (!f.parts.empty())
            node.mesh = FunctionMesh(f, node.name);
        return AddNode(std::move(node));
    }

    int FunctionMesh(const FunctionGeometry &f, const std::string &name)
    {
        tinygltf::Mesh mesh;
        mesh.name = name;
        const int positions = AddFloats(f.positions, 3, kArrayBuffer, true);
        const int normals = f.normals.empty() ? -1 : AddFloats(f.normals, 3, kArrayBuffer, false);
        int colors = -1;
        if (!f.colors.empty()) {
            std::vector<float> linear;
            linear.reserve(f.colors.size() * 3);
            for (Color c : f.colors)
                for (double channel : LinearColor(c))
                    linear.push_back(float(channel));
            colors = AddFloats(linear, 3, kArrayBuffer, false);
        }
        for (const GeometryPart &part : f.parts) {
            tinygltf::Primitive p;
            p.mode = part.kind == GeometryPart::Triangles ? TINYGLTF_MODE_TRIANGLES : TINYGLTF_MODE_LINE;
            p.attributes["POSITION"] = positions;
            if (part.kind == GeometryPart::Triangles && normals >= 0)
                p.attributes["NORMAL"] = normals;
            if (part.vertexColors && colors >= 0)
                p.attributes["COLOR_0"] = colors;
            p.indices = AddIndices(part.indices);
            p.material = Material(part.vertexColors ? 0xFFFFFF : part.color);
            mesh.primitives.push_back(std::move(p));
        }
        return AddMesh(std::move(mesh));
    }

    int LinesNode(const char *name, const std::vector<LineSegment> &lines, Color color)
    {
        std::vector<float> points;
        points.reserve(lines.size() * 6);
        for (const LineSegment &l : lines)
            for (const GLPoint &p : {l.a, l.b})
                points.insert(points.end(), {float(p.x), float(p.y), float(p.z)});
        tinygltf::Primitive p;
        p.mode = TINYGLTF_MODE_LINE;
        p.attributes["POSITION"] = AddFloats(points, 3, kArrayBuffer, true);
        p.material = Material(color);
        tinygltf::Mesh mesh;
        mesh.name = name;
        mesh.primitives.push_back(std::move(p));
        tinygltf::Node node;
        node.name = name;
        node.mesh = AddMesh(std::move(mesh));
        return AddNode(std::move(node));
    }

    // The texts in GL coordinates, which are glTF's: each at its anchor,
    // turned to face the saved camera and scaled to its size.
    int LabelsNode()
    {
        tinygltf::Node labels;
        labels.name = "labels";
        const ViewSettings &s = scene_.settings;
        const std::vector<double> rotation = CameraRotation(s.cameraPitch, s.cameraYaw);
        for (const GeometryText &t : scene_.texts) {
            if (t.contours.empty())
                continue;
            tinygltf::Node node;
            node.name = t.placed.text;
            node.translation = {t.placed.at.x, t.placed.at.y, t.placed.at.z};
            node.rotation = rotation;
            node.scale = {t.placed.scale, t.placed.scale, t.placed.scale};
            node.mesh = TextMesh(t);
            Value::Object extras;
            extras["billboard"] = Value(true);
            node.extras = Value(extras);
            labels.children.push_back(AddNode(std::move(node)));
        }
        return AddNode(std::move(labels));
    }

    // One mesh per text and colour, shared by the nodes that show it; a
    // closed line strip per contour.
    int TextMesh(const GeometryText &t)
    {
        const auto key = std::make_pair(t.placed.text, t.color);
        const auto found = textMeshes_.find(key);
        if (found != textMeshes_.end())
            return found->second;
        std::vector<float> points;
        std::vector<std::vector<uint32_t>> strips;
        for (const OutlineContour &c : t.contours) {
            const uint32_t first = uint32_t(points.size() / 3);
            std::vector<uint32_t> strip;
            for (const OutlinePoint &p : c) {
                strip.push_back(uint32_t(points.size() / 3));
                points.insert(points.end(), {float(p.x), float(p.y), 0.0f});
            }
            strip.push_back(first);
            strips.push_back(std::move(strip));
        }
        tinygltf::Mesh mesh;
        mesh.name = t.placed.text;
        const int positions = AddFloats(points, 3, kArrayBuffer, true);
        const int material = Material(t.color);
        for (const std::vector<uint32_t> &strip : strips) {
            tinygltf::Primitive p;
            p.mode = TINYGLTF_MODE_LINE_STRIP;
            p.attributes["POSITION"] = positions;
            p.indices = AddIndices(strip);
            p.material = material;
            mesh.primitives.push_back(std::move(p));
        }
        const int index = AddMesh(std::move(mesh));
        textMeshes_.emplace(key, index);
        return index;
    }

    int CameraNode()
    {
        ViewSettings s = scene_.settings;
        ApplySettingsRanges(s);   // the view's own corrections of a bad projection
        tinygltf::Camera camera;
        camera.name = "camera";
        camera.type = "perspective";
        camera.perspective.yfov = s.fieldOfView * M_PI / 180;
        camera.perspective.znear = s.nearPlane;
        camera.perspective.zfar = s.farPlane;
        camera.perspective.aspectRatio = 0;   // the viewport's
        model_.cameras.push_back(camera);
        tinygltf::Node node;
        node.name = "camera";
        node.camera = int(model_.cameras.size()) - 1;
        const ViewSettings &saved = scene_.settings;
        node.translation = {saved.cameraX, saved.cameraY, saved.cameraZ};
        node.rotation = CameraRotation(saved.cameraPitch, saved.cameraYaw);
        return AddNode(std::move(node));
    }

    int Material(Color color)
    {
        const auto found = materials_.find(color);
        if (found != materials_.end())
            return found->second;
        tinygltf::Material m;
        m.name = HexColor(color).toStdString();
        std::vector<double> factor = LinearColor(color);
        factor.push_back(1.0);
        m.pbrMetallicRoughness.baseColorFactor = factor;
        m.pbrMetallicRoughness.metallicFactor = 0;
        m.pbrMetallicRoughness.roughnessFactor = 1;
        m.doubleSided = true;
        m.extensions["KHR_materials_unlit"] = Value(Value::Object());
        model_.materials.push_back(std::move(m));
        const int index = int(model_.materials.size()) - 1;
        materials_.emplace(color, index);
        return index;
    }

    int AddNode(tinygltf::Node node)
    {
        model_.nodes.push_back(std::move(node));
        return int(model_.nodes.size()) - 1;
    }

    int AddMesh(tinygltf::Mesh mesh)
    {
        model_.meshes.push_back(std::move(mesh));
        return int(model_.meshes.size()) - 1;
    }

    int AddView(const void *data, size_t bytes, int target)
    {
        std::vector<unsigned char> &buffer = model_.buffers.front().data;
        buffer.resize((buffer.size() + 3) / 4 * 4, 0);
        tinygltf::BufferView view;
        view.buffer = 0;
        view.byteOffset = buffer.size();
        view.byteLength = bytes;
        view.target = target;
        if (bytes > 0) {
            const auto *begin = static_cast<const unsigned char *>(data);
            buffer.insert(buffer.end(), begin, begin + bytes);
        }
        model_.bufferViews.push_back(view);
        return int(model_.bufferViews.size()) - 1;
    }

    int AddAccessor(tinygltf::Accessor accessor)
    {
        model_.accessors.push_back(std::move(accessor));
        return int(model_.accessors.size()) - 1;
    }

    // Vectors of `components` floats; with their bounds where glTF asks for
    // them (positions).
    int AddFloats(const std::vector<float> &values, int components, int target, bool bounds)
    {
        tinygltf::Accessor a;
        a.bufferView = AddView(values.data(), values.size() * sizeof(float), target);
        a.componentType = TINYGLTF_COMPONENT_TYPE_FLOAT;
        a.count = values.size() / size_t(components);
        a.type = components == 3 ? TINYGLTF_TYPE_VEC3 : TINYGLTF_TYPE_SCALAR;
        if (bounds && a.count > 0) {
            a.minValues.assign(size_t(components), HUGE_VAL);
            a.maxValues.assign(size_t(components), -HUGE_VAL);
            for (size_t i = 0; i < values.size(); ++i) {
                const size_t k = i % size_t(components);
                a.minValues[k] = std::min(a.minValues[k], double(values[i]));
                a.maxValues[k] = std::max(a.maxValues[k], double(values[i]));
            }
        }
        return AddAccessor(std::move(a));
    }

    int AddIndices(const std::vector<uint32_t> &indices)
    {
        tinygltf::Accessor a;
        a.bufferView = AddView(indices.data(), indices.size() * sizeof(uint32_t), kElementBuffer);
        a.componentType = TINYGLTF_COMPONENT_TYPE_UNSIGNED_INT;
        a.count = indices.size();
        a.type = TINYGLTF_TYPE_SCALAR;
        return AddAccessor(std::move(a));
    }

    const SceneGeometry &scene_;
    tinygltf::Model model_;
    std::map<Color, int> materials_;
    std::map<std::pair<std::string, Color>, int> textMeshes_;
};

} // namespace

double LinearChannel(int srgb)
{
    const double c = srgb / 255.0;
    return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

int SrgbChannel(double linear)
{
    const double c = linear <= 0.0031308 ? linear * 12.92 : 1.055 * std::pow(linear, 1 / 2.4) - 0.055;
    return int(std::lround(std::clamp(c, 0.0, 1.0) * 255));
}

QByteArray GltfBinary(const SceneGeometry &scene, const QString &title)
{
    const tinygltf::Model model = ModelBuilder(scene).Build(title);
    std::ostringstream stream;
    tinygltf::TinyGLTF gltf;
    gltf.WriteGltfSceneToStream(&model, stream, false, true);
    const std::string bytes = stream.str();
    return QByteArray(bytes.data(), qsizetype(bytes.size()));
}

bool WriteGltf(const SceneGeometry &scene, const QString &title, QIODevice &out)
{
    const QByteArray bytes = GltfBinary(scene, title);
    return out.write(bytes) == bytes.size();
}

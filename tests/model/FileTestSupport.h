#pragma once

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include <QFile>
#include <QString>
#include <QTemporaryDir>

#include "model/CVeltrix2Doc.h"
#include "model/FunctionDefinition.h"
#include "qel/qel.h"

// Little-endian byte builder for expected file contents.
class Bytes {
public:
    Bytes &Raw(const std::string &s) { data += s; return *this; }
    Bytes &U8(uint8_t v) { data += char(v); return *this; }
    Bytes &U16(uint16_t v) { return U8(uint8_t(v)).U8(uint8_t(v >> 8)); }
    Bytes &U32(uint32_t v) { return U16(uint16_t(v)).U16(uint16_t(v >> 16)); }
    Bytes &I32(int32_t v) { return U32(uint32_t(v)); }
    Bytes &F64(double v)
    {
        uint64_t bits;
        std::memcpy(&bits, &v, sizeof bits);
        return U32(uint32_t(bits)).U32(uint32_t(bits >> 32));
    }
    std::string data;
};

inline std::string ReadAll(const QString &path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return std::string();
    return f.readAll().toStdString();
}

inline void WriteAll(const QString &path, const std::string &bytes)
{
    QFile f(path);
    if (f.open(QIODevice::WriteOnly | QIODevice::Truncate))
        f.write(bytes.data(), qint64(bytes.size()));
}

// Camera of a stand-in 3D view.
class FakeCamera : public CameraLink {
public:
    CameraPose GetCamera() const override { return pose; }
    void SetCamera(const CameraPose &p) override { pose = p; ++setCount; }
    CameraPose pose;
    int setCount = 0;
};

// Everything of a function that survives saving: the record without its
// handle and the library's angle unit and variables.
struct FunctionSnapshot {
    FunctionRecord record;
    int angleMode = -1;
    std::vector<VariableDefaults> variables;
};

inline std::vector<FunctionSnapshot> Snapshot(const CVeltrix2Doc &doc)
{
    std::vector<FunctionSnapshot> all;
    for (int p = doc.First(); p != -1; p = doc.Next(p)) {
        FunctionSnapshot s;
        s.record = doc.Get(p);
        s.angleMode = get_function_angle_mode(s.record.handle);
        std::vector<VariableRecord> vars(size_t(get_function_n_var(s.record.handle)));
        get_function_variables(s.record.handle, vars.data());
        for (const VariableRecord &v : vars)
            s.variables.push_back({v.name, v.value, v.min, v.max, v.steps});
        s.record.handle = -1;
        all.push_back(s);
    }
    return all;
}

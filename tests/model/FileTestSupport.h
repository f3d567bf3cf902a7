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
#include "model/FunctionSnapshot.h"
#include "qel/qel.h"

// Little-endian byte builder for expected file contents.
class Bytes {
public:
    Bytes &Raw(const std::string &s)
    {
        data += s;
        return *this;
    }
    Bytes &U8(uint8_t v)
    {
        data += char(v);
        return *this;
    }
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
    void SetCamera(const CameraPose &p) override
    {
        pose = p;
        ++setCount;
    }
    CameraPose pose;
    int setCount = 0;
};

// Everything of a function that survives saving: the record without its
// handle and what the library holds of it.
struct SavedFunction {
    FunctionRecord record;
    FunctionSnapshot library;
};

inline std::vector<SavedFunction> Snapshot(const CVeltrix2Doc &doc)
{
    std::vector<SavedFunction> all;
    for (int p = doc.First(); p != -1; p = doc.Next(p)) {
        SavedFunction s{doc.Get(p), FunctionSnapshot::Capture(doc.Get(p).handle)};
        s.record.handle = -1;
        all.push_back(s);
    }
    return all;
}

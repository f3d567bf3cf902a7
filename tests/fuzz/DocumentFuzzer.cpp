// SPDX-FileCopyrightText: 2026 The Veltrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The document reader on any bytes.  What it accepts is written back and
// read again: the second read must equal the first, and writing that gives
// the same bytes again.  What it refuses leaves an empty document and no
// library function behind.

#include <cstdlib>
#include <cstring>
#include <iterator>
#include <string>

#include <QString>

#include "FuzzSupport.h"
#include "model/DocumentFile.h"
#include "model/FunctionDefinition.h"
#include "model/LibraryFunction.h"
#include "qel/qel.h"

namespace {

bool SameDouble(double a, double b)
{
    return std::memcmp(&a, &b, sizeof a) == 0;
}

bool SameSettings(const ViewSettings &a, const ViewSettings &b)
{
    const double da[] = {a.sensitivity, a.cubeDimension, a.nearPlane, a.farPlane, a.fieldOfView,
                         a.cameraX, a.cameraY, a.cameraZ, a.cameraPitch, a.cameraYaw};
    const double db[] = {b.sensitivity, b.cubeDimension, b.nearPlane, b.farPlane, b.fieldOfView,
                         b.cameraX, b.cameraY, b.cameraZ, b.cameraPitch, b.cameraYaw};
    for (size_t i = 0; i < std::size(da); ++i)
        if (!SameDouble(da[i], db[i]))
            return false;
    return a.showCube == b.showCube && a.showReferenceMarks == b.showReferenceMarks && a.showAxes == b.showAxes &&
           a.backgroundColor == b.backgroundColor && a.cubeColor == b.cubeColor && a.axesColor == b.axesColor &&
           a.cursorColor == b.cursorColor && a.cursorKind == b.cursorKind && a.axisLabelX == b.axisLabelX &&
           a.axisLabelY == b.axisLabelY && a.axisLabelZ == b.axisLabelZ && a.printBufferMB == b.printBufferMB &&
           a.animationIntervalMs == b.animationIntervalMs;
}

void CheckSameFunctions(const FunctionList &a, const FunctionList &b)
{
    FUZZ_CHECK(a.Count() == b.Count(), "as many functions");
    for (int i = 0; i < a.Count(); ++i) {
        const FunctionRecord &ra = a.At(i), &rb = b.At(i);
        FUZZ_CHECK(ra.label == rb.label && ra.text == rb.text && ra.visible == rb.visible &&
                       ra.color1 == rb.color1 && ra.color2 == rb.color2 && ra.mode == rb.mode,
                   "the records come back: " + ra.text);
        FUZZ_CHECK(get_function_angle_mode(ra.handle) == get_function_angle_mode(rb.handle), "angle modes come back");
        const auto va = LibraryFunction(ra.handle).Variables(), vb = LibraryFunction(rb.handle).Variables();
        FUZZ_CHECK(va.size() == vb.size(), "as many variables");
        for (size_t k = 0; k < va.size(); ++k)
            FUZZ_CHECK(va[k].name == vb[k].name && SameDouble(va[k].value, vb[k].value) &&
                           SameDouble(va[k].min, vb[k].min) && SameDouble(va[k].max, vb[k].max) &&
                           va[k].steps == vb[k].steps,
                       "variables come back: " + va[k].name);
        char *ta = get_function_text(ra.handle), *tb = get_function_text(rb.handle);
        FUZZ_CHECK(ta && tb && std::strcmp(ta, tb) == 0, "the library's texts come back");
        std::free(ta);
        std::free(tb);
    }
}

void CheckNothingLeft(const ViewSettings &settings, const FunctionList &list)
{
    FUZZ_CHECK(list.IsEmpty(), "a refused file gives no functions");
    FUZZ_CHECK(SameSettings(settings, ViewSettings()), "a refused file gives the default settings");
    const int32_t probe = new_function();
    FUZZ_CHECK(probe == 0, "a refused file leaves no library function behind");
    delete_function(probe);
}

std::string Write(const ViewSettings &settings, const FunctionList &list, const char *name)
{
    const std::string path = FuzzFolder() + "/" + name;
    QString error;
    FUZZ_CHECK(WriteDocumentFile(QString::fromStdString(path), settings, list, &error),
               "a document that was read can be written: " + error.toStdString());
    return path;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString input = QString::fromStdString(WriteFuzzFile("input.vxf", data, size));
    ViewSettings first;
    FunctionList firstList;
    QString error;
    if (ReadDocumentFile(input, first, firstList, &error) != ReadOutcome::Ok) {
        CheckNothingLeft(first, firstList);
        delete_all();
        return 0;
    }
    const std::string written = Write(first, firstList, "first.vxf");

    ViewSettings second;
    FunctionList secondList;
    const ReadOutcome again = ReadDocumentFile(QString::fromStdString(written), second, secondList, &error);
    FUZZ_CHECK(again == ReadOutcome::Ok, "a written document reads back: " + error.toStdString());
    FUZZ_CHECK(SameSettings(first, second), "the settings come back");
    CheckSameFunctions(firstList, secondList);
    const std::string rewritten = Write(second, secondList, "second.vxf");
    FUZZ_CHECK(ReadWholeFile(written) == ReadWholeFile(rewritten), "writing what was read gives the same bytes");
    delete_all();
    return 0;
}

#pragma once

#include <string>
#include <vector>

#include "model/FunctionRecord.h"
#include "view3d/GeometrySink.h"

// A compiled qel function that is deleted at the end of the test.
class TestFunction {
public:
    TestFunction(const std::string &text, int angleMode = 1);
    ~TestFunction();
    TestFunction(const TestFunction &) = delete;
    TestFunction &operator=(const TestFunction &) = delete;

    bool ok() const { return handle_ >= 0; }
    int32_t handle() const { return handle_; }
    const std::string &text() const { return text_; }
    void SetRange(const char *name, double min, double max, int32_t steps) const;
    FunctionRecord Record(int mode = WireFrame, Color c1 = 0xFFFFFF, Color c2 = 0) const;
    // Gives the handle to a document, which deletes it.
    int32_t Release();

private:
    std::string text_;
    int32_t handle_ = -1;
};

// Remembers what the emitter produced.
class RecordingSink : public GeometrySink {
public:
    void BeginFunction(const FunctionRecord &, double low, double high) override
    {
        ++begins;
        this->low = low;
        this->high = high;
    }
    void Cell(const CellGeometry &c) override { cells.push_back(c); }
    void Segment(const SegmentGeometry &s) override { segments.push_back(s); }
    void Triangle(const TriangleGeometry &t) override { triangles.push_back(t); }
    void ContourLevelsUsed(const std::vector<double> &l) override { levels = l; }
    void Contour(const ContourGeometry &c) override { contours.push_back(c); }
    void EndFunction() override { ++ends; }

    int begins = 0, ends = 0;
    double low = 0, high = 0;
    std::vector<CellGeometry> cells;
    std::vector<SegmentGeometry> segments;
    std::vector<TriangleGeometry> triangles;
    std::vector<double> levels;
    std::vector<ContourGeometry> contours;
};

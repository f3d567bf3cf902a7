#pragma once

#include <cstdlib>
#include <ostream>
#include <string>
#include <vector>

#include "model/CVeltrix2Doc.h"
#include "model/FunctionSnapshot.h"
#include "qel/qel.h"

// Everything of a document's functions that an undo must give back: the
// records (handles included) and, per function, the library's text, angle
// unit and variables with values, ranges and steps.
struct FunctionState {
    FunctionRecord record;
    std::string libraryText;
    FunctionSnapshot library;

    bool operator==(const FunctionState &o) const
    {
        return record == o.record && libraryText == o.libraryText && library == o.library;
    }
};

struct DocumentState {
    std::vector<FunctionState> functions;
    ViewSettings settings;

    bool operator==(const DocumentState &o) const { return functions == o.functions && settings == o.settings; }
    bool operator!=(const DocumentState &o) const { return !(*this == o); }

    static DocumentState Of(const CVeltrix2Doc &doc)
    {
        DocumentState state;
        for (int i = 0; i < doc.Count(); ++i) {
            FunctionState f{doc.Get(i), {}, FunctionSnapshot::Capture(doc.Get(i).handle)};
            if (char *text = get_function_text(f.record.handle)) {
                f.libraryText = text;
                std::free(text);
            }
            state.functions.push_back(f);
        }
        state.settings = doc.Settings();
        return state;
    }
};

inline std::ostream &operator<<(std::ostream &out, const DocumentState &state)
{
    for (const FunctionState &f : state.functions) {
        out << "[" << f.record.label << " #" << f.record.handle << " " << f.record.text << " lib '" << f.libraryText
            << "' angle " << f.library.angleMode << " mode " << f.record.mode << " vis " << f.record.visible;
        for (const FunctionVariable &v : f.library.variables)
            out << " " << v.name << "=" << v.value << "[" << v.min << "," << v.max << "]/" << v.steps;
        out << "] ";
    }
    return out;
}

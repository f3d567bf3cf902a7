#pragma once

#include <string>

#include <QString>

#include "FunctionDefinition.h"

// The pieces the rules of the definition forms share.  Internal to the model.
namespace FormRules {

QString Quoted(const std::string &name);
DefinitionOutcome Failure(const QString &message);
DefinitionOutcome FailureSelecting(const QString &message, int start, int end);
// Selects the name at `position` of `names`.
DefinitionOutcome FailureAt(const QString &message, const std::vector<std::string> &names,
                            const std::vector<int> &positions, size_t index);

// The rules of the cylindrical forms named by their dependent, rho(theta,z)
// and theta(rho,z), after a valid header.
DefinitionOutcome ValidateCylindrical(const DefinitionNames &names);
// The rules of curves and surfaces "(x,y,z)(t)=(...)" and "(x,y,z)(u,v)=(...)",
// after a valid header, their expressions' shape included.
DefinitionOutcome ValidateTuple(const std::string &text, const HeaderAnalysis &header, const DefinitionNames &names);

}  // namespace FormRules

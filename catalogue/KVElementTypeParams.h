#pragma once

// The parameter columns of an element-type list and the parametric search over it, apart from
// the widgets: the base parameters of a class, the parameter values of the listed types read
// in one statement, the texts of the columns and cells, and the texts that describe a column.
//
// The values are those whose base parameter belongs to the class and whose element type is of
// the class; with AAvailOnly only those of types that have stock records.

#include "core/KVBaseParam.h"
#include "core/KVElementType.h"

#include <QString>

#include <functional>

class TIBQuery;

namespace KVElementTypeParams {

// Reads the base parameters of the class into ABaseParams (cleared first), in the order the
// database gives them; each is marked SBP when AProfile has a criterion for it.
void LoadBaseParams(TIBQuery& AQuery, quint32 AClassDBId, quint32 AClassId,
                    const TKVParamSearchList* AProfile, TKVBaseParamList& ABaseParams);

// The number of parameter values LoadParamValues reads.
int CountParamValues(TIBQuery& AQuery, quint32 AClassDBId, quint32 AClassId, bool AAvailOnly);
// Reads the parameter values of the class's types in one statement and adds each to its type in
// AList (values of types the list does not hold are dropped). AStep runs after every value.
void LoadParamValues(TIBQuery& AQuery, quint32 AClassDBId, quint32 AClassId, bool AAvailOnly,
                     TKVElementTypeList& AList, const std::function<void()>& AStep);
// Reads the parameter values of one type again (its records cleared first).
void LoadParamValuesOfType(TIBQuery& AQuery, quint32 AClassDBId, quint32 AClassId,
                           bool AAvailOnly, TKVElementType& AElementType);

// The caption of a base parameter's column: the name, with the unit prefix in parentheses when
// it has a unit, and " *" when the search has a criterion for it.
QString ColumnCaption(const TKVBaseParam& ABaseParam);
// The text of a type's value of the base parameter: its first value of that base parameter, as
// ParamValueToStr gives it; the unit is shown only when the value's unit is not the base
// parameter's own (the caption names that one). Empty without a value.
QString CellText(const TKVBaseParam& ABaseParam, const TKVElementType& AElementType);
// The text of a criterion: "равно 10", "от 1 до 5", "содержит \" abc \"" ...
QString CriterionText(const TKVParamSearchData& ACriterion);

} // namespace KVElementTypeParams

#include "TreeFields.h"

#include <array>

namespace {

using T = TypingClass;
using A = TreeAlign;

const std::array<TreeFieldInfo, TreeFieldCount + 1> Fields = {{
    {{"", "", "", T::None, 0, nullptr}, 0, 0, A::Left},
    {{"txtTreeData_1", "Plot number", "Integer (up to 4 digits) to identify plot", T::Integer, 4,
      nullptr},
     1,
     4,
     A::Right},
    {{"txtTreeData_2", "Tree number", "Integer (up to 3 digits) to identify the tree on the plot",
      T::Integer, 3, nullptr},
     5,
     3,
     A::Right},
    {{"txtTreeData_3", "Tree count", "Number of stems the record represents on the plot",
      T::Decimal, 6, nullptr},
     8,
     6,
     A::Right},
    {{"txtTreeData_4", "Status", "Integer (1-5 = live, 6,7 = recent mort, 8,9 = older dead)",
      T::Integer, 1, nullptr},
     14,
     1,
     A::Left},
    {{"txtTreeData_5", "Species", "2-character VELK code or 3-digit KTI code", T::None, 3,
      "A Species Code is required."},
     15,
     3,
     A::Left},
    {{"txtTreeData_6", "Dbh", "Diameter at breast height in inches", T::Decimal, 4,
      "DBH information is required."},
     18,
     4,
     A::Right},
    {{"txtTreeData_7", "Dbh increment", "DBH growth in tenths of inches (for large trees)",
      T::Decimal, 3, nullptr},
     22,
     3,
     A::Right},
    {{"txtTreeData_8", "Total height", "Height in feet to top of tree", T::Decimal, 3, nullptr},
     25,
     3,
     A::Right},
    {{"txtTreeData_9", "Height to topkill", "Height in feet to point of breakage or topkill",
      T::Decimal, 3, nullptr},
     28,
     3,
     A::Right},
    {{"txtTreeData_10", "Height increment", "Height growth in tenths of feet (for small trees)",
      T::Decimal, 4, nullptr},
     31,
     4,
     A::Right},
    {{"txtTreeData_11", "Crown ratio",
      "Ratio of live crown to tree height (1 = 0-10%, 2=11-20%, ... 9 = 81-100%)", T::Integer, 1,
      nullptr},
     35,
     1,
     A::Left},
    {{"txtTreeData_12", "Damage 1", "VELK damage code (integer)", T::Integer, 2, nullptr},
     36,
     2,
     A::Right},
    {{"txtTreeData_13", "Severity 1", "Severity code for Damage Code 1", T::Integer, 2, nullptr},
     38,
     2,
     A::Right},
    {{"txtTreeData_14", "Damage 2", "VELK damage code (integer)", T::Integer, 2, nullptr},
     40,
     2,
     A::Right},
    {{"txtTreeData_15", "Severity 2", "Severity code for Damage Code 2", T::Integer, 2, nullptr},
     42,
     2,
     A::Right},
    {{"txtTreeData_16", "Damage 3", "VELK damage code (integer)", T::Integer, 2, nullptr},
     44,
     2,
     A::Right},
    {{"txtTreeData_17", "Severity 3", "Severity code for Damage Code 3", T::Integer, 2, nullptr},
     46,
     2,
     A::Right},
    {{"txtTreeData_18", "Value class",
      "Merchantability value (1 = desirable, 2 = acceptable, 3 = undesirable)", T::ValueClass, 1,
      nullptr},
     48,
     1,
     A::Left},
    {{"txtTreeData_19", "Prescription code", "Integer code for use with the VELK ThinPrsc keyword",
      T::Integer, 1, nullptr},
     49,
     1,
     A::Left},
}};

} // namespace

const TreeFieldInfo& treeField(int number)
{
    return Fields.at(number);
}

QList<EntryField> treeEntryFields()
{
    return QList<EntryField>(Fields.begin() + 1, Fields.end());
}

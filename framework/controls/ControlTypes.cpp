#include "framework/controls/ControlTypes.h"

std::span<const IntIdent> CursorIdents() noexcept {
    static constexpr IntIdent idents[] = {
        {crDefault, u"crDefault"},   {crNone, u"crNone"},         {crArrow, u"crArrow"},
        {crCross, u"crCross"},       {crIBeam, u"crIBeam"},       {crSizeNESW, u"crSizeNESW"},
        {crSizeNS, u"crSizeNS"},     {crSizeNWSE, u"crSizeNWSE"}, {crSizeWE, u"crSizeWE"},
        {crUpArrow, u"crUpArrow"},   {crHourGlass, u"crHourGlass"}, {crHSplit, u"crHSplit"},
        {crVSplit, u"crVSplit"},     {crNo, u"crNo"},             {crAppStart, u"crAppStart"},
        {crHelp, u"crHelp"},         {crHandPoint, u"crHandPoint"}, {crSizeAll, u"crSizeAll"},
    };
    return idents;
}

std::span<const IntIdent> ModalResultIdents() noexcept {
    static constexpr IntIdent idents[] = {
        {mrNone, u"mrNone"},   {mrOk, u"mrOk"},   {mrCancel, u"mrCancel"}, {mrAbort, u"mrAbort"},
        {mrRetry, u"mrRetry"}, {mrIgnore, u"mrIgnore"}, {mrYes, u"mrYes"},   {mrNo, u"mrNo"},
        {mrAll, u"mrAll"},     {mrNoToAll, u"mrNoToAll"}, {mrYesToAll, u"mrYesToAll"},
    };
    return idents;
}

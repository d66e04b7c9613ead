#include "skin/data/SkinDataTypes.h"

#include "framework/core/Strings.h"

#include <iterator>

namespace {

constexpr std::u16string_view kClassMap[] = {
    u"TCategoryButtons=scrollbar", u"TPngBitBtn=pngbitbtn", u"TVirtualStringTree=scrollbar",
    u"TVirtualDrawTree=scrollbar", u"TTBXDockablePanel=Panel", u"TAdvPanelGroup=scrollbar",
    u"TComboboxex=combobox", u"TRxSpeedButton=speedbutton", u"THTMLViewer=scrollbar", u"TDBCtrlGrid=scrollbar",
    u"TfrSpeedButton=speedbutton", u"TfrTBButton=speedbutton", u"TControlBar=Panel", u"TTBDock=Panel",
    u"TTBToolbar=Panel", u"TImageEnMView=scrollbar", u"TImageEnView=scrollbar", u"TAdvMemo=scrollbar",
    u"TDBAdvMemo=scrollbar", u"TcxDBLookupComboBox=combobox", u"TcxDBComboBox=combobox", u"TcxDBDateEdit=combobox",
    u"TcxDBImageComboBox=combobox", u"TcxDBCalcEdit=combobox", u"TcxDBBlobEdit=combobox",
    u"TcxDBPopupEdit=combobox", u"TcxDBFontNameComboBox=combobox", u"TcxDBShellComboBox=combobox",
    u"TRxLookupEdit=combobox", u"TRxDBLookupCombo=combobox", u"TRzGroup=panel", u"TRzButton=button",
    u"TRzBitbtn=bitbtn", u"TRzMenuButton=menubtn", u"TRzCheckGroup=CheckGroup", u"TRzRadioGroup=Radiogroup",
    u"TRzButtonEdit=Edit", u"TRzDBRadioGroup=Radiogroup", u"TRzDBRadioButton=Radiobutton",
    u"TRzDateTimeEdit=combobox", u"TRzColorEdit=combobox", u"TRzDateTimePicker=combobox",
    u"TRzDBDateTimeEdit=combobox", u"TRzDbColorEdit=combobox", u"TRzDBDateTimePicker=combobox",
    u"TLMDButton=bitbtn", u"TLMDGroupBox=Groupbox", u"TDBCheckboxEh=Checkbox", u"TDBCheckboxEh=Checkbox",
    u"TLMDCHECKBOX=Checkbox", u"TLMDDBCHECKBOX=Checkbox", u"TLMDRadiobutton=Radiobutton", u"TLMDCalculator=panel",
    u"TLMDGROUPBOX=Panel", u"TLMDSIMPLEPANEL=Panel", u"TLMDDBCalendar=Panel", u"TLMDButtonPanel=Panel",
    u"TLMDLMDCalculator=Panel", u"TLMDHeaderPanel=Panel", u"TLMDTechnicalLine=Panel", u"TLMDLMDClock=Panel",
    u"TLMDTrackbar=panel", u"TLMDListCombobox=combobox", u"TLMDCheckListCombobox=combobox",
    u"TLMDHeaderListCombobox=combobox", u"TLMDImageCombobox=combobox", u"TLMDColorCombobox=combobox",
    u"TLMDFontCombobox=combobox", u"TLMDFontSizeCombobox=combobox", u"TLMDFontSizeCombobox=combobox",
    u"TLMDPrinterCombobox=combobox", u"TLMDDriveCombobox=combobox", u"TLMDCalculatorComboBox=combobox",
    u"TLMDTrackBarComboBox=combobox", u"TLMDCalendarComboBox=combobox", u"TLMDTreeComboBox=combobox",
    u"TLMDRADIOGROUP=radiogroup", u"TLMDCheckGroup=CheckGroup", u"TLMDDBRADIOGROUP=radiogroup",
    u"TLMDDBCheckGroup=CheckGroup", u"TLMDCalculatorEdit=edit", u"TLMDEDIT=Edit", u"TLMDMASKEDIT=Edit",
    u"TLMDBROWSEEDIT=Edit", u"TLMDEXTSPINEDIT=Edit", u"TLMDCALENDAREDIT=Edit", u"TLMDFILEOPENEDIT=Edit",
    u"TLMDFILESAVEEDIT=Edit", u"TLMDCOLOREDIT=Edit", u"TLMDDBEDIT=Edit", u"TLMDDBMASKEDIT=Edit",
    u"TLMDDBEXTSPINEDIT=Edit", u"TLMDDBSPINEDIT=Edit", u"TLMDDBEDITDBLookup=Edit", u"TLMDEDITDBLookup=Edit",
    u"TDBLookupCombobox=Combobox", u"TWWDBCombobox=Combobox", u"TWWDBLookupCombo=Combobox",
    u"TWWDBCombobox=Combobox", u"TWWKeyCombo=Combobox", u"TWWTempKeyCombo=combobox",
    u"TWWDBDateTimePicker=Combobox", u"TWWRADIOGROUP=radiogroup", u"TWWDBEDIT=Edit", u"TcxButton=bitbtn",
    u"TcxDBRadioGroup=radiogroup", u"TcxRadioGroup=radiogroup", u"TcxGroupbox=groupbox", u"TOVCPICTUREFIELD=Edit",
    u"TOVCDBPICTUREFIELD=Edit", u"TOVCSLIDEREDIT=Edit", u"TOVCDBSLIDEREDIT=Edit", u"TOVCSIMPLEFIELD=Edit",
    u"TOVCDBSIMPLEFIELD=Edit", u"TO32DBFLEXEDIT=Edit", u"TOVCNUMERICFIELD=Edit", u"TOVCDBNUMERICFIELD=Edit"
};
static_assert(std::size(kClassMap) == 117);

// Longer kinds are cut: no kind is near this long.
constexpr size_t kMaxKindLength = 50;

}  // namespace

std::span<const std::u16string_view> DefaultClassMap() noexcept { return kClassMap; }

std::optional<std::u16string> ClassMapKind(const BasicStringList<char16_t>& map, std::u16string_view className) {
    for (int i = 0; i < map.Count(); ++i) {
        const std::u16string& line = map[i];
        // The whole class name and the "=" must match, so "TButton" does not find "TButtonEx=...".
        if (line.size() <= className.size() || line[className.size()] != u'=') continue;
        if (!SameText(std::u16string_view(line).substr(0, className.size()), className)) continue;
        return AsciiLower(std::u16string_view(line).substr(className.size() + 1, kMaxKindLength));
    }
    return std::nullopt;
}

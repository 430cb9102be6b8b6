// Dialog layouts as plain data: every control of the four dialogs with its id,
// name, kind, caption, geometry in dialog units and styles. The dialog layer
// builds real windows from these tables.
#pragma once

#include <cstddef>

namespace layouts {

// TextBox: a read-only text of several lines that wraps anywhere and scrolls,
// written only by the program, selectable and copyable by the user.
enum class Kind {
    Static,
    Edit,
    GroupBox,
    PushButton,
    RadioButton,
    CheckBox,
    ListBox,
    IconPicture,
    BitmapPicture,
    TextBox,
    ComboBox,  // a drop-down list: items and a selection, as a list box has
    SpinBox    // a whole number between two bounds, kept as its decimal text
};

// Control styles (bit flags).
enum : unsigned {
    READ_ONLY = 1u << 0,       // edit written only by the program
    DIGITS_ONLY = 1u << 1,     // edit accepts only 0-9 from the keyboard
    STATIC_EDGE = 1u << 2,     // thin sunken border
    SUNKEN_EDGE = 1u << 3,     // static with a sunken edge
    HIDDEN = 1u << 4,          // not visible
    DEFAULT_BUTTON = 1u << 5,  // default push button (Enter)
    FLAT = 1u << 6,            // flat push button or radio
    ICON_BUTTON = 1u << 7,     // push button that shows only its icon
    NOTIFY = 1u << 8,          // list box that reports selection changes
    VSCROLL = 1u << 9,         // list box with a vertical scroll bar
    NO_WRAP = 1u << 10,        // static text that does not wrap
    TRANSPARENT = 1u << 11,    // push button drawn transparently
    CENTER_IMAGE = 1u << 12,   // picture centred in its rectangle
};

// Layout (window) flags.
enum : unsigned {
    MODELESS = 1u << 0,
    APP_WINDOW = 1u << 1,  // the application window: shown in the task bar
    MINIMIZE_BOX = 1u << 2,
    CENTERED = 1u << 3,
};

constexpr int ID_STATIC = -1;  // controls that the program never addresses

struct ControlDef {
    int id;
    const char* name;  // control name; also the widget's objectName
    Kind kind;
    const char* caption;  // Windows-1252 text ("" for none)
    int x, y, w, h;       // dialog units
    unsigned style;
    int radioGroup;              // radios with the same nonzero number are exclusive
    const char* accessibleName;  // for controls without a caption of their own
    int image;                   // resource id of a picture control (0 = none)
    int fitDigits;               // bit edits: number of digits that must be visible at once
};

struct LayoutDef {
    int id;
    const char* name;
    const char* title;
    const char* fontFamily;
    int fontPoints;
    bool serifFont;  // fall back to a serif font when the family is absent
    int x, y, w, h;  // dialog units
    unsigned flags;
    const ControlDef* controls;
    std::size_t count;
};

// What a screen reader is told about a control beyond its own text: the
// caption static beside it that names it (the name follows that caption's
// current text; the control's accessibleName stands in while the caption is
// empty) and a description.
struct AccessibleDef {
    int id;
    int captionId;            // ID_STATIC: no caption names it
    const char* description;  // nullptr: none
};

// The entry of control `id` of layout `layoutId`, or nullptr.
const AccessibleDef* FindAccessible(int layoutId, int id);

// The Romanian form of a name or description that the tables above give in
// English (accessibleName, AccessibleDef::description): `english` itself for
// lang 2 (English) and for a text without a Romanian form. lang 1 is Romanian.
const char* AccessibleWords(const char* english, int lang);

// Tab order of a layout: control ids from first to last. A control that takes
// the focus and is not listed follows the control created before it.
struct TabOrder {
    const int* ids;
    std::size_t count;
};
TabOrder TabOrderOf(int layoutId);

// The layout with this id, or nullptr when there is none (or it is withheld).
const LayoutDef* FindLayout(int id);

// Test support: withholds a layout so that building a dialog from it fails.
void WithholdLayout(int id, bool withheld);

}  // namespace layouts

#include "platform/controls.h"

#include "platform/errors.h"
#include "platform/runtime.h"
#include "platform/text.h"

namespace vz {

void Label::SetCaption(const std::string& caption) {
    caption_ = caption;
    ReportSet("Caption", Value(caption));
}

std::optional<Value> Label::Property(std::string_view name) const {
    if (name == "Caption") return Value(std::string(caption_));
    if (name == "BackColor") return Value(double(back_color));
    if (name == "ForeColor") return Value(double(fore_color));
    return Control::Property(name);
}

void ComboBox::AddItem(const std::string& text, int index) {
    if (index < 0 || index > ListCount())
        throw RuntimeError(ErrorNumber::InvalidPropertyValue, "Invalid argument");
    items_.insert(items_.begin() + index, text);
    if (list_index_ >= index) ++list_index_;
    runtime().Emit(EventKind::Items, &form(), this);
}

void ComboBox::SetListIndex(int index) {
    if (index < -1 || index >= ListCount())
        throw RuntimeError(ErrorNumber::InvalidPropertyValue, "Invalid property value");
    list_index_ = index;
    ReportSet("ListIndex", Value(double(index)));
}

void ComboBox::UserSelect(int index) {
    list_index_ = index;
    runtime().Emit(EventKind::UserSelect, &form(), this);
}

std::string ComboBox::Text() const { return list_index_ < 0 ? "" : items_[list_index_]; }

std::optional<Value> ComboBox::Property(std::string_view name) const {
    if (name == "ListIndex") return Value(double(list_index_));
    if (name == "Text") return Value(std::string(Text()));
    if (name == "ListCount") return Value(double(ListCount()));
    return Control::Property(name);
}

std::optional<Value> CommandButton::Property(std::string_view name) const {
    if (name == "Caption") return Value(std::string(caption));
    return Control::Property(name);
}

}  // namespace vz

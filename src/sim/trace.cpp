#include "sim/trace.h"

#include "platform/control.h"
#include "platform/form.h"
#include "platform/text.h"

namespace vz {
namespace {

std::string Number(double value) { return GeneralNumber(value, "."); }

std::string Target(const Event& e) { return e.control ? e.control->Path() : e.form->name(); }

}  // namespace

std::string TraceValue(const Value& value) {
    if (value.kind == Value::Kind::Boolean) return value.boolean ? "True" : "False";
    if (value.kind == Value::Kind::Number) return Number(value.number);
    std::string out = "\"";
    for (char c : value.text) {
        if (c == '"') out += '"';
        out += c;
    }
    return out + "\"";
}

std::string HexBytes(const std::vector<std::uint8_t>& bytes) {
    static const char digits[] = "0123456789ABCDEF";
    std::string out;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        if (i) out += ' ';
        out += digits[bytes[i] >> 4];
        out += digits[bytes[i] & 15];
    }
    return out;
}

std::string TraceLine(const Event& e) {
    switch (e.kind) {
        case EventKind::Load: return "load " + e.form->name();
        case EventKind::Unload: return "unload " + e.form->name();
        case EventKind::Show:
            return "show " + e.form->name() + (e.owner ? " modal owner=" + e.owner->name() : "");
        case EventKind::Hide: return "hide " + e.form->name();
        case EventKind::Topmost:
            return "topmost " + e.form->name() + " " + std::to_string(e.pixels.x) + " " +
                   std::to_string(e.pixels.y) + " " + std::to_string(e.pixels.cx) + " " +
                   std::to_string(e.pixels.cy);
        case EventKind::Move:
            return "move " + Target(e) + " " + Number(e.geometry.left) + " " +
                   Number(e.geometry.top) + " " + Number(e.geometry.width) + " " +
                   Number(e.geometry.height);
        case EventKind::Set: return "set " + Target(e) + "." + e.name + " " + TraceValue(e.value);
        case EventKind::Chime: return "chime " + std::to_string(e.id);
        case EventKind::Popup: return "popup " + e.form->name() + " " + e.name;
        case EventKind::Write:
            return "write " + e.name + (e.bytes.empty() ? "" : " " + HexBytes(e.bytes));
        case EventKind::Error: return "error " + e.text;
        case EventKind::Ignored: return "ignored " + e.text;
        case EventKind::PopupClosed:
        case EventKind::UserSelect:
        case EventKind::Items:
        case EventKind::Role: return "";
    }
    return "";
}

}  // namespace vz

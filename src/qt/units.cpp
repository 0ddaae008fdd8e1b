#include "qt/units.h"

namespace vz::qt {

QColor ToQColor(Color color) {
    if (IsSystemColor(color)) {
        // The system colours the windows use, as a classic desktop shows them.
        switch (color & 0xFF) {
            case 0x05: return QColor(255, 255, 255);  // window background
            case 0x08: return QColor(0, 0, 0);        // window text
            case 0x0D: return QColor(0, 120, 215);    // highlight
            case 0x0E: return QColor(255, 255, 255);  // highlighted text
            case 0x0F: return QColor(240, 240, 240);  // button face
            case 0x10: return QColor(160, 160, 160);  // button shadow
            case 0x12: return QColor(0, 0, 0);        // button text
            case 0x14: return QColor(255, 255, 255);  // 3-D highlight
            default: return QColor(240, 240, 240);
        }
    }
    return QColor(int(color & 0xFF), int((color >> 8) & 0xFF), int((color >> 16) & 0xFF));
}

}  // namespace vz::qt

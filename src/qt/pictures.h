#pragma once
// The pictures of the window designs, by the resource names the model uses.

#include <QPixmap>
#include <string>

namespace vz::qt {

// The picture, from the program's Qt resources; a plain drawn stand-in of
// `size` pixels when the resources do not carry it.
QPixmap LoadPicture(const std::string& name, QSize size);

}  // namespace vz::qt

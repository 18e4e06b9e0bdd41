// Conversions between the framework's values and Qt's, and the boundary at
// which events enter the system's code. Private to the framework.
#pragma once

#include <QColor>
#include <QString>
#include <functional>
#include <string>
#include <string_view>

#include "app/framework/proplist.h"

namespace fw::qt {

// Valid UTF-8 is shown as UTF-8; any other byte string one character per byte.
QString FromBytes(std::string_view bytes);
std::string ToBytes(const QString& text);
QColor ToQColor(const Color& color);

// Runs an event handler of the system. Nothing it throws reaches Qt: the
// exception goes to the unhandled-exception routine and the application goes on.
void Dispatch(const std::function<void()>& handler);
// True while an event handler runs inside Dispatch.
bool InsideDispatch();

template <class T>
const T& As(const Property& property) {
  return std::get<T>(property.value);
}

}  // namespace fw::qt

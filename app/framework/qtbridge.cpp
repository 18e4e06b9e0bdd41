#include "app/framework/qtbridge.h"

#include <QStringDecoder>

#include "app/framework/runtime.h"

namespace fw::qt {

QString FromBytes(std::string_view bytes) {
  const QByteArrayView view(bytes.data(), static_cast<qsizetype>(bytes.size()));
  // A byte-order mark is text like any other and stays.
  QStringDecoder utf8(QStringDecoder::Utf8,
                      QStringDecoder::Flag::Stateless | QStringDecoder::Flag::ConvertInitialBom);
  QString text = utf8.decode(view);
  return utf8.hasError() ? QString::fromLatin1(view) : text;
}

std::string ToBytes(const QString& text) {
  return text.toStdString();
}

QColor ToQColor(const Color& color) {
  return QColor(color.red, color.green, color.blue);
}

namespace {
int dispatchDepth = 0;
}

void Dispatch(const std::function<void()>& handler) {
  struct Depth {
    Depth() { ++dispatchDepth; }
    ~Depth() { --dispatchDepth; }
  } depth;
  try {
    handler();
  } catch (...) {
    try {
      UnhandledException(std::current_exception());
    } catch (...) {
      // Not even the message could be shown; Qt must still never see an exception.
    }
  }
}

bool InsideDispatch() {
  return dispatchDepth > 0;
}

}  // namespace fw::qt

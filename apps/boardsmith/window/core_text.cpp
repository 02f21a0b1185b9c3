#include "window/core_text.h"

#include <QCoreApplication>
#include <QRegularExpression>

#include <vector>

#include "model/messages.h"

namespace bs::app {

namespace {
struct TPattern {
  const char* format;
  QRegularExpression match;
  std::vector<int> order;  // the placeholder number of each captured group
};

std::vector<TPattern> BuildPatterns() {
  std::vector<TPattern> out;
  for (const char* format : msg::AllFormats()) {
    const QString f = QString::fromUtf8(format);
    QString re = "^";
    std::vector<int> order;
    int literal = 0;
    for (int i = 0; i < f.size(); ++i) {
      if (f[i] == '%' && i + 1 < f.size() && f[i + 1] >= '1' && f[i + 1] <= '9') {
        re += QRegularExpression::escape(f.mid(literal, i - literal)) + "(.*)";
        order.push_back(f[i + 1].digitValue());
        literal = i + 2;
        ++i;
      }
    }
    re += QRegularExpression::escape(f.mid(literal)) + "$";
    out.push_back({format, QRegularExpression(re, QRegularExpression::DotMatchesEverythingOption), order});
  }
  return out;
}
}  // namespace

QString CoreText(const std::string& english) {
  static const std::vector<TPattern> patterns = BuildPatterns();
  const QString text = QString::fromStdString(english);
  QString out = text;
  for (const TPattern& p : patterns) {
    const QRegularExpressionMatch m = p.match.match(text);
    if (!m.hasMatch()) continue;
    out = QCoreApplication::translate("core", p.format);
    // Each placeholder once, so that a value holding "%2" stays as it is.
    QString filled;
    for (int i = 0; i < out.size(); ++i) {
      if (out[i] == '%' && i + 1 < out.size() && out[i + 1] >= '1' && out[i + 1] <= '9') {
        const int n = out[i + 1].digitValue();
        for (size_t g = 0; g < p.order.size(); ++g)
          if (p.order[g] == n) {
            filled += m.captured(int(g) + 1);
            break;
          }
        ++i;
        continue;
      }
      filled += out[i];
    }
    out = filled;
    break;
  }
  out.replace('\r', '\n');
  return out;
}

}  // namespace bs::app

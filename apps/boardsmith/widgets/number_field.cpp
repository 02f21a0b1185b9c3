#include "widgets/number_field.h"

#include <QCoreApplication>
#include <QLineEdit>
#include <QRegularExpression>
#include <QToolTip>

#include <algorithm>
#include <cmath>

namespace bs::app {

namespace {
QString lastHint;

// The typed text without prefix, suffix and surrounding blanks, with "," as
// a decimal point.
QString Bare(QString text, const QString& prefix, const QString& suffix) {
  text = text.trimmed();
  if (!prefix.isEmpty() && text.startsWith(prefix.trimmed())) text.remove(0, prefix.trimmed().size());
  if (!suffix.isEmpty() && text.endsWith(suffix.trimmed())) text.chop(suffix.trimmed().size());
  return text.trimmed().replace(',', '.');
}

QString PrefixOf(const QAbstractSpinBox& box) {
  if (auto* s = qobject_cast<const QSpinBox*>(&box)) return s->prefix();
  if (auto* d = qobject_cast<const QDoubleSpinBox*>(&box)) return d->prefix();
  return {};
}
QString SuffixOf(const QAbstractSpinBox& box) {
  if (auto* s = qobject_cast<const QSpinBox*>(&box)) return s->suffix();
  if (auto* d = qobject_cast<const QDoubleSpinBox*>(&box)) return d->suffix();
  return {};
}

void ShowHint(QAbstractSpinBox& box, const QString& hint) {
  lastHint = hint;
  QToolTip::showText(box.mapToGlobal(QPoint(0, box.height())), hint, &box, {}, 4000);
}

}  // namespace

QValidator::State TNumberRules::Validate(const QAbstractSpinBox& box, const QString& text, int decimals,
                                         QValidator::State base) {
  if (base != QValidator::Invalid) return base;
  static const QRegularExpression numberish(QStringLiteral("^[-+]?[0-9]*([.]([0-9]*))?$"));
  const QRegularExpressionMatch m = numberish.match(Bare(text, PrefixOf(box), SuffixOf(box)));
  if (!m.hasMatch()) return QValidator::Invalid;
  // More decimals than the field shows stay refused keystroke by keystroke,
  // as in every spin box; a whole-number field takes the point so that the
  // fraction is refused as a whole when it is confirmed.
  if (decimals >= 0 && m.captured(2).size() > decimals) return QValidator::Invalid;
  return QValidator::Intermediate;
}

void TNumberRules::Fixup(QAbstractSpinBox& box, QString& text, double min, double max, int decimals,
                         const std::function<QString(double)>& format, std::optional<double> before) {
  const QString bare = Bare(text, PrefixOf(box), SuffixOf(box));
  bool ok = false;
  const double v = bare.toDouble(&ok);
  if (!ok || !std::isfinite(v) || (decimals < 0 && v != std::floor(v))) {
    // Nothing to hold to a limit: the field goes back to its value.
    if (before) text = PrefixOf(box) + format(*before) + SuffixOf(box);
    ShowHint(box, QCoreApplication::translate("bs::app::TNumberRules",
                                              "\"%1\" is not a valid value here; the field keeps its value.")
                      .arg(bare));
    return;
  }
  const double held = std::clamp(v, min, max);
  text = PrefixOf(box) + format(held) + SuffixOf(box);
  if (held != v)
    ShowHint(box,
             QCoreApplication::translate("bs::app::TNumberRules", "%1 is out of range (%2 to %3); the limit was taken.")
                 .arg(bare, format(min), format(max)));
}

QString TNumberRules::LastHint() { return lastHint; }

}  // namespace bs::app

#include "size_bar.h"

#include <QLabel>

#include "length_field.h"

namespace bs::app {

namespace {
// Every size field holds 0 ... 99.99 mm with two decimals; pads and SMD
// pads have a smallest size.
constexpr double kMaxMm = 99.99;
constexpr double kSmallestPadMm = 0.05;
constexpr double kStepMm = 0.1;
}  // namespace

TSizeBar::TSizeBar(TSettings::TToolSizes& sizes, QWidget* parent) : QToolBar(tr("Sizes"), parent), sizes_(sizes) {
  setObjectName("SizeBar");
  struct TSpec {
    TField field;
    QString label;
    QString hint;
    double minMm;
  };
  const TSpec specs[] = {
      {kTrack, tr("Track"), tr("Track width"), 0},
      {kPadOuter, tr("Pad"), tr("Pad outer diameter"), kSmallestPadMm},
      {kPadDrill, tr("Drill"), tr("Pad drill diameter"), 0},
      {kSmdWidth, tr("SMD"), tr("SMD pad width"), kSmallestPadMm},
      {kSmdHeight, QStringLiteral("x"), tr("SMD pad height"), kSmallestPadMm},
  };
  for (const TSpec& s : specs) {
    // A group starts with a gap before its label; the SMD height follows its width.
    if (s.field == kPadOuter || s.field == kSmdWidth) addSeparator();
    auto* label = new QLabel(s.label, this);
    label->setContentsMargins(4, 0, 2, 0);
    label->setToolTip(s.hint);
    addWidget(label);
    auto* field = new TLengthField(s.minMm, kMaxMm, 2, kStepMm, true, this);
    field->setObjectName(QString("SizeField%1").arg(int(s.field)));
    field->setToolTip(s.hint);
    connect(field, &TLengthField::UnitsEdited, this, [this, f = s.field](int32_t units) { Edited(f, units); });
    addWidget(field);
    fields_[s.field] = field;
  }
  Refresh();
}

void TSizeBar::SetUnit(TDisplayUnit unit) {
  for (TLengthField* f : fields_) f->SetUnit(unit);
}

void TSizeBar::Refresh() {
  fields_[kTrack]->SetUnits(sizes_.Track);
  fields_[kPadOuter]->SetUnits(sizes_.Circle1);
  fields_[kPadDrill]->SetUnits(sizes_.Circle2);
  fields_[kSmdWidth]->SetUnits(sizes_.SMDX);
  fields_[kSmdHeight]->SetUnits(sizes_.SMDY);
}

void TSizeBar::Edited(TField f, int32_t units) {
  switch (f) {
    case kTrack: sizes_.Track = units; break;
    // The drill never exceeds the outer diameter: whichever was changed
    // takes the other along.
    case kPadOuter:
      sizes_.Circle1 = units;
      sizes_.Circle2 = std::min(sizes_.Circle2, units);
      break;
    case kPadDrill:
      sizes_.Circle2 = units;
      sizes_.Circle1 = std::max(sizes_.Circle1, units);
      break;
    case kSmdWidth: sizes_.SMDX = units; break;
    case kSmdHeight: sizes_.SMDY = units; break;
    case kFieldCount: break;
  }
  Refresh();
}

}  // namespace bs::app

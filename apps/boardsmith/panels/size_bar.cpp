#include "panels/size_bar.h"

#include <QLabel>
#include <QMenu>
#include <QToolButton>

#include <functional>

#include "widgets/length_field.h"
#include "window/language.h"

namespace bs::app {

namespace {
// Every size field holds 0 ... 99.99 mm with two decimals; pads and SMD
// pads have a smallest size.
constexpr double kMaxMm = 99.99;
constexpr double kSmallestPadMm = 0.05;
constexpr double kStepMm = 0.1;

TSizeField CoreField(TSizeBar::TField f) {
  switch (f) {
    case TSizeBar::kPadOuter: return TSizeField::PadOuter;
    case TSizeBar::kPadDrill: return TSizeField::PadDrill;
    case TSizeBar::kSmdWidth: return TSizeField::SmdWidth;
    case TSizeBar::kSmdHeight: return TSizeField::SmdHeight;
    default: return TSizeField::TrackWidth;
  }
}
}  // namespace

void SetFieldLook(QWidget* field, TFieldLook look) {
  // Normal: yellow on black; the selection's value: white on red, mixed
  // values: silver on red.
  static const char* const sheets[] = {
      "QAbstractSpinBox { background: #000000; color: #ffff00; }",
      "QAbstractSpinBox { background: #ff0000; color: #ffffff; }",
      "QAbstractSpinBox { background: #ff0000; color: #c0c0c0; }",
  };
  field->setStyleSheet(sheets[int(look)]);
}

TSizeBar::TSizeBar(TSettings& settings, QWidget* parent)
    : QToolBar(tr("Sizes"), parent), settings_(settings), sizes_(settings.Sizes) {
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
  // The favourites button after the last field of each group.
  auto favourites = [this](int group, const char* name) {
    auto* button = new QToolButton(this);
    button->setObjectName(name);
    button->setArrowType(Qt::DownArrow);
    button->setToolTip(tr("Favourites"));
    button->setPopupMode(QToolButton::InstantPopup);
    button->setStyleSheet("QToolButton::menu-indicator { image: none; }");  // the arrow says it
    menus_[group] = new QMenu(button);
    button->setMenu(menus_[group]);
    connect(menus_[group], &QMenu::aboutToShow, this, [this, group] { FillMenu(group); });
    addWidget(button);
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
    if (s.field == kTrack) favourites(0, "TrackFavourites");
    if (s.field == kPadDrill) favourites(1, "PadFavourites");
  }
  favourites(2, "SmdFavourites");
  auto* flip = new QToolButton(this);
  flip->setObjectName("SmdFlip");
  flip->setText(tr("Flip"));
  flip->setToolTip(tr("Exchange SMD width and height"));
  connect(flip, &QToolButton::clicked, this, [this] {
    std::swap(sizes_.SMDX, sizes_.SMDY);
    const int32_t height = sizes_.SMDY;
    Refresh();
    Emit(kSmdWidth);
    sizes_.SMDY = height;  // the selection's value may have come in meanwhile
    Emit(kSmdHeight);
  });
  addWidget(flip);
  Refresh();
}

void TSizeBar::SetUnit(TDisplayUnit unit) {
  for (TLengthField* f : fields_) f->SetUnit(unit);
}

void TSizeBar::SetLook(TField f, TFieldLook look) {
  if (looks_[f] == look && !fields_[f]->styleSheet().isEmpty()) return;
  looks_[f] = look;
  SetFieldLook(fields_[f], look);
}

void TSizeBar::Refresh() {
  fields_[kTrack]->SetUnits(sizes_.Track);
  fields_[kPadOuter]->SetUnits(sizes_.Circle1);
  fields_[kPadDrill]->SetUnits(sizes_.Circle2);
  fields_[kSmdWidth]->SetUnits(sizes_.SMDX);
  fields_[kSmdHeight]->SetUnits(sizes_.SMDY);
  for (int f = 0; f < kFieldCount; ++f) SetLook(TField(f), TFieldLook::Normal);
}

void TSizeBar::ShowSelection(const TSelectionSizes& s, bool takeOver) {
  struct TRow {
    TField field;
    const TFieldState& state;
    int32_t& remembered;
  } const rows[] = {{kTrack, s.TrackWidth, sizes_.Track},
                    {kPadOuter, s.PadOuter, sizes_.Circle1},
                    {kPadDrill, s.PadDrill, sizes_.Circle2},
                    {kSmdWidth, s.SmdWidth, sizes_.SMDX},
                    {kSmdHeight, s.SmdHeight, sizes_.SMDY}};
  for (const TRow& r : rows) {
    if (!r.state.Contributes) {
      fields_[r.field]->SetUnits(r.remembered);
      SetLook(r.field, TFieldLook::Normal);
    } else if (r.state.Mixed) {
      // Disagreeing values: the field keeps its text.
      SetLook(r.field, TFieldLook::Mixed);
    } else {
      fields_[r.field]->SetUnits(r.state.Value);
      if (takeOver) r.remembered = r.state.Value;
      SetLook(r.field, TFieldLook::Selection);
    }
  }
}

void TSizeBar::Emit(TField f) {
  // The remembered size: applying one size may show the selection's values
  // in the other fields.
  const int32_t value[kFieldCount] = {sizes_.Track, sizes_.Circle1, sizes_.Circle2, sizes_.SMDX, sizes_.SMDY};
  emit SizeEdited(CoreField(f), value[f]);
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
  // The other pad field follows when it had to.
  if (f == kPadOuter && fields_[kPadDrill]->Units() > units) fields_[kPadDrill]->SetUnits(units);
  if (f == kPadDrill && fields_[kPadOuter]->Units() < units) fields_[kPadOuter]->SetUnits(units);
  Emit(f);
}

void TSizeBar::FillMenu(int group) {
  QMenu* menu = menus_[group];
  menu->clear();
  const TDisplayUnit unit = fields_[kTrack]->Unit();
  // The entries: caption, whether it is the current size, and what choosing it does.
  struct TEntry {
    QString caption;
    bool current;
    std::function<void()> choose;
    std::function<void()> remove;
  };
  std::vector<TEntry> entries;
  std::function<void()> add;
  auto matches = [unit](int32_t a, int32_t b) { return TrackPresetMatches(a, b, unit); };
  if (group == 0) {
    auto& list = settings_.TrackPresets;
    for (size_t i = 0; i < list.size(); ++i) {
      const int32_t v = list[i];
      entries.push_back({QString::fromStdString(TrackPresetCaption(v, unit, UiLanguage())), matches(v, sizes_.Track),
                         [this, v] {
                           sizes_.Track = v;
                           Refresh();
                           Emit(kTrack);
                         },
                         [&list, i] { list.erase(list.begin() + long(i)); }});
    }
    add = [this, &list] { AddTrackPreset(list, sizes_.Track); };
  } else if (group == 1) {
    auto& list = settings_.PadPresets;
    for (size_t i = 0; i < list.size(); ++i) {
      const TPadSizePreset p = list[i];
      entries.push_back({QString::fromStdString(PairPresetCaption(p.Outer, p.Drill, unit, UiLanguage())),
                         matches(p.Outer, sizes_.Circle1) && matches(p.Drill, sizes_.Circle2),
                         [this, p] {
                           sizes_.Circle1 = p.Outer;
                           sizes_.Circle2 = std::min(p.Drill, p.Outer);
                           Refresh();
                           Emit(kPadOuter);
                           Emit(kPadDrill);
                         },
                         [&list, i] { list.erase(list.begin() + long(i)); }});
    }
    add = [this, &list] { AddPadPreset(list, {sizes_.Circle1, sizes_.Circle2}); };
  } else {
    auto& list = settings_.SmdPresets;
    for (size_t i = 0; i < list.size(); ++i) {
      const TSmdSizePreset p = list[i];
      entries.push_back({QString::fromStdString(PairPresetCaption(p.Width, p.Height, unit, UiLanguage())),
                         matches(p.Width, sizes_.SMDX) && matches(p.Height, sizes_.SMDY),
                         [this, p] {
                           sizes_.SMDX = p.Width;
                           sizes_.SMDY = p.Height;
                           Refresh();
                           Emit(kSmdWidth);
                           Emit(kSmdHeight);
                         },
                         [&list, i] { list.erase(list.begin() + long(i)); }});
    }
    add = [this, &list] { AddSmdPreset(list, {sizes_.SMDX, sizes_.SMDY}); };
  }
  bool anyCurrent = false;
  for (const TEntry& e : entries) anyCurrent |= e.current;
  QAction* addAction = menu->addAction(tr("Add"), this, add);
  addAction->setEnabled(!anyCurrent);
  QMenu* remove = menu->addMenu(tr("Remove"));
  remove->setEnabled(!entries.empty());
  menu->addSeparator();
  QString previous;
  for (const TEntry& e : entries) {
    remove->addAction(e.caption, this, e.remove);
    // An entry that reads like the one before it is not shown twice.
    if (e.caption == previous) continue;
    previous = e.caption;
    QAction* a = menu->addAction(e.caption, this, e.choose);
    a->setCheckable(true);
    a->setChecked(e.current);
  }
}

}  // namespace bs::app

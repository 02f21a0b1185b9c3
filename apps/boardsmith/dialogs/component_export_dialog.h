// "Component-Data Export": which columns in which order (dragged in the
// order list), the separator, the side texts, the number format, the
// rotation prefix and the filters, with a preview of the rows; or the
// fabrication preset. The window only chooses; the caller writes the file.
#pragma once

#include <QDialog>

#include <array>
#include <vector>

#include "components/pnp_export.h"

class QCheckBox;
class QComboBox;
class QLineEdit;
class QListWidget;
class QSpinBox;
class QTableWidget;

namespace bs::app {

class TBT_ExportDlg : public QDialog {
  Q_OBJECT

 public:
  TBT_ExportDlg(std::vector<TListEintrag> entries, const TPlatine& board, const TPnpOptions& options,
                QWidget* parent = nullptr);

  TPnpOptions Options() const;
  // The fabrication preset instead of the list format.
  bool Fabrication() const;

  QCheckBox* ColumnBox(TPnpColumn c) const { return columns_[size_t(c) - 1]; }
  QListWidget* Order() const { return order_; }
  QComboBox* Separator() const { return separator_; }
  QComboBox* Format() const { return format_; }
  QTableWidget* Preview() const { return preview_; }
  QCheckBox* FilterBox(int index) const { return filters_[size_t(index)]; }  // SMD, THT, top, bottom, placed

  void RefreshPreview();

 private:
  void Fill(const TPnpOptions& o);

  std::vector<TListEintrag> entries_;
  const TPlatine& board_;
  bool useOrigin_ = true;
  bool filling_ = false;
  std::array<QCheckBox*, 8> columns_ = {};
  std::array<QCheckBox*, 5> filters_ = {};
  QListWidget* order_ = nullptr;
  QComboBox *separator_ = nullptr, *unit_ = nullptr, *format_ = nullptr;
  QLineEdit *top_ = nullptr, *bottom_ = nullptr;
  QSpinBox* decimals_ = nullptr;
  QCheckBox *zeros_ = nullptr, *prefix_ = nullptr;
  QTableWidget* preview_ = nullptr;
};

}  // namespace bs::app

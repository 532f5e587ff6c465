#include "app/pointspage.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QStyledItemDelegate>

#include <functional>
#include <utility>

#include "app/copytext.h"
#include "app/style.h"
#include "app/widgets.h"
#include "res/texts.h"

namespace tab97 {
namespace {

constexpr int kCaptionTop = 46;
constexpr int kCaptionHeight = 30;
constexpr int kGridTop = 80;
constexpr int kFrame = 1;  // the grids' border

QString GridStyleSheet() {
  return QStringLiteral(
      "QTableWidget { background: #f2f6fc; color: #0a1f44; gridline-color: #9fb3d6; border: 1px solid #6f8fc4;"
      "  selection-background-color: #3d7be0; selection-color: white; }"
      "QTableWidget:disabled { background: #dbe6f7; color: #0a1f44; }"
      "QTableWidget QLineEdit { background: white; color: #0a1f44; border: none; padding: 0 2px;"
      "  selection-background-color: #3d7be0; selection-color: white; }");
}

// Width or height of a grid whose cells fill it exactly, with the border.
int GridExtent(int cells, int cellSize) { return cells * cellSize + 2 * kFrame; }

// The editors of the input grid's cells. A line edit has no use for Enter and
// the Up and Down arrows: the view would pass Enter by and move the arrows by
// its own cursor, which need not keep the column. They go to the page instead;
// every new editor is announced, so the page can claim its copy key.
class PointCellDelegate final : public QStyledItemDelegate {
 public:
  PointCellDelegate(QObject* parent, std::function<void()> enter, std::function<void(int)> arrow,
                    std::function<void(QWidget*)> created)
      : QStyledItemDelegate(parent), enter_(std::move(enter)), arrow_(std::move(arrow)), created_(std::move(created)) {}

  QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option, const QModelIndex& index) const override {
    QWidget* editor = QStyledItemDelegate::createEditor(parent, option, index);
    if (editor != nullptr) created_(editor);
    return editor;
  }

 protected:
  bool eventFilter(QObject* editor, QEvent* event) override {
    if (event->type() == QEvent::KeyPress) {
      const auto* key = static_cast<QKeyEvent*>(event);
      const Qt::KeyboardModifiers modifiers = key->modifiers() & ~Qt::KeypadModifier;
      if (modifiers == Qt::NoModifier) {
        switch (key->key()) {
          case Qt::Key_Return:
          case Qt::Key_Enter: enter_(); return true;
          case Qt::Key_Up: arrow_(-1); return true;
          case Qt::Key_Down: arrow_(+1); return true;
          default: break;
        }
      }
    }
    return QStyledItemDelegate::eventFilter(editor, event);
  }

 private:
  std::function<void()> enter_;
  std::function<void(int)> arrow_;
  std::function<void(QWidget*)> created_;
};

}  // namespace

PointGrid::PointGrid(int columns, int rows, QWidget* parent) : QTableWidget(rows, columns, parent) {
  horizontalHeader()->hide();
  verticalHeader()->hide();
  horizontalHeader()->setMinimumSectionSize(1);
  verticalHeader()->setMinimumSectionSize(1);
  horizontalHeader()->setDefaultSectionSize(PointsPage::kColumnWidth);
  verticalHeader()->setDefaultSectionSize(PointsPage::kRowHeight);
  horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  setWordWrap(false);
  setFont(style::FormFont());
  setStyleSheet(GridStyleSheet());
  setSelectionMode(QAbstractItemView::SingleSelection);
  setSelectionBehavior(QAbstractItemView::SelectItems);
}

void PointGrid::DiscardEditor() {
  if (QWidget* editor = indexWidget(currentIndex())) closeEditor(editor, QAbstractItemDelegate::NoHint);
}

void PointGrid::CommitEditor() {
  if (QWidget* editor = indexWidget(currentIndex())) commitData(editor);
}

void PointGrid::currentChanged(const QModelIndex& current, const QModelIndex& previous) {
  // The view first hands the text of the editor left to its cell and opens the
  // editor of the new cell; only then is the move reported.
  QTableWidget::currentChanged(current, previous);
  if (current.isValid()) emit cellSelected(current.column(), current.row());
}

PointsPage::PointsPage(MainState& state, SolveFunction solve, QWidget* parent)
    : QWidget(parent), state_(state), solve_(solve) {
  setObjectName(QStringLiteral("TabSheetBody"));
  const std::array<int, 7> lefts = ColumnCaptionLefts(state_.QuantityOrder);
  for (int q = 1; q <= 6; ++q) {
    const QByteArray name = "L" + QByteArray::number(q);
    L_[q] = style::MakeLabel(this, name.constData(), style::kHeading,
                             QRect(lefts[q], kCaptionTop, kColumnWidth, kCaptionHeight),
                             Qt::AlignHCenter | Qt::AlignBottom);
    L_[q]->setWordWrap(true);
  }

  SGBody1_ = new PointGrid(2, kPointCount, this);
  SGBody1_->setObjectName(QStringLiteral("SGBody1"));
  SGBody1_->setGeometry(kPointColumnLeft - kFrame, kGridTop, GridExtent(2, kColumnWidth),
                        GridExtent(kPointCount, kRowHeight));
  SGBody1_->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  SGBody1_->setEditTriggers(QAbstractItemView::AllEditTriggers);
  SGBody1_->setTabKeyNavigation(true);
  connect(SGBody1_, &PointGrid::cellSelected, this, &PointsPage::SGBody1SelectCell);
  auto* copyKey = new PageCopyKey(this, [this] { CopyPoints(); });
  copyKey->PassCopyKey(SGBody1_);
  SGBody1_->setItemDelegate(new PointCellDelegate(
      SGBody1_, [this] { SGBody1Enter(); }, [this](int step) { SGBody1Arrow(step); },
      [copyKey](QWidget* editor) { copyKey->PassCopyKey(editor); }));

  SGBody2_ = new PointGrid(4, kPointCount, this);
  SGBody2_->setObjectName(QStringLiteral("SGBody2"));
  SGBody2_->setGeometry(kPointColumnLeft + 2 * kPointColumnPitch - kFrame, kGridTop, GridExtent(4, kColumnWidth),
                        GridExtent(kPointCount, kRowHeight));
  SGBody2_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  SGBody2_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  SGBody2_->setFocusPolicy(Qt::NoFocus);
  SGBody2_->setEnabled(false);
  for (int r = 0; r < kPointCount; ++r)
    for (int c = 0; c < 2; ++c) SGBody1_->setItem(r, c, new QTableWidgetItem);
  for (int r = 0; r < kPointCount; ++r)
    for (int c = 0; c < 4; ++c) {
      auto* item = new QTableWidgetItem;
      item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
      SGBody2_->setItem(r, c, item);
    }
}

void PointsPage::ApplyLanguageTexts() {
  for (int q = 1; q <= 6; ++q)
    L_[q]->setText(texts::ForLabel(texts::ShortColumnCaption(state_.LanguageIndex, q)));
}

void PointsPage::PreparePointsPage() {
  const std::array<int, 7> lefts = ColumnCaptionLefts(state_.QuantityOrder);
  for (int q = 1; q <= 6; ++q) L_[q]->move(lefts[q], L_[q]->y());

  preparing_ = true;
  // An editor still open holds text of the last visit: it is closed unread.
  SGBody1_->DiscardEditor();
  SGBody1_->setCurrentCell(0, 0);
  for (int r = 0; r < kPointCount; ++r) {
    for (int c = 0; c < 2; ++c) SGBody1_->item(r, c)->setText(QString());
    for (int c = 0; c < 4; ++c) SGBody2_->item(r, c)->setText(QString());
  }
  ClearPointTable(state_.PointTable);
  state_.PointsMode = true;
  cursor_.SetCurrentPointRow(0);
  preparing_ = false;
  // Focus on the grid, where the editor always stands open on the current cell.
  SGBody1_->setFocus(Qt::OtherFocusReason);
  const QModelIndex current = SGBody1_->currentIndex();
  if (SGBody1_->indexWidget(current) == nullptr) SGBody1_->edit(current);
  if (QWidget* editor = SGBody1_->indexWidget(current)) editor->setFocus(Qt::OtherFocusReason);
}

void PointsPage::SetCurrentPointRow(int row) { cursor_.SetCurrentPointRow(row); }

void PointsPage::SGBody1SelectCell(int /*column*/, int row) {
  if (preparing_) {
    cursor_.SetCurrentPointRow(row);
    return;
  }
  const int left = cursor_.SelectRow(row);
  if (left >= 0 && left < kPointCount) SolveRow(left);
}

void PointsPage::SGBody1Enter() {
  const int row = SGBody1_->currentRow();
  if (row < 0) return;
  if (row + 1 < kPointCount) {
    SGBody1_->setCurrentCell(row + 1, 0);  // leaving the row solves it
    return;
  }
  SGBody1_->CommitEditor();
  SolveRow(row);
}

void PointsPage::SGBody1Arrow(int step) {
  const int row = SGBody1_->currentRow() + step;
  if (SGBody1_->currentRow() < 0 || row < 0 || row >= kPointCount) return;
  SGBody1_->setCurrentCell(row, SGBody1_->currentColumn());
}

void PointsPage::CopyPoints() { QGuiApplication::clipboard()->setText(PointsCopyText(state_)); }

void PointsPage::SolveRow(int r) {
  const PointRowResult result =
      SolvePointRow(SGBody1_->item(r, 0)->text(), SGBody1_->item(r, 1)->text(), state_, solve_);
  for (int j = 0; j < 4; ++j) SGBody2_->item(r, j)->setText(result.Cells[j]);
  state_.PointTable[r] = result.Point;
}

}  // namespace tab97

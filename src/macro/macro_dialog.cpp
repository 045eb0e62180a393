#include "macro/macro_dialog.h"

#include "macro/macro_action_model.h"
#include "macro/macro_log.h"
#include "macro/vel_macro_item_delegate.h"
#include "macro/vel_tree_item.h"
#include "macro/vel_tree_widget.h"
#include "platform/input_hook.h"
#include "storage/description_file.h"
#include "widgets/accent_color.h"
#include "widgets/display_scale.h"
#include "widgets/ui_language.h"
#include "widgets/vel_action.h"
#include "widgets/vel_label.h"
#include "widgets/vel_line_edit.h"
#include "widgets/vel_menu.h"
#include "widgets/vel_push_button.h"

#include <QCheckBox>
#include <QElapsedTimer>
#include <QHeaderView>
#include <QIntValidator>
#include <QListWidget>
#include <QTableView>

namespace {
// Base geometry inside the page area (652 x 432): the macro list on the left, the action list in the
// middle, the inserting, editing and repeating controls on the right.
constexpr QRect kMacroTitleRect(0, 0, 80, 26);
constexpr QRect kNewRect(92, 1, 26, 24);
constexpr QRect kDeleteRect(124, 1, 26, 24);
constexpr QRect kBatchRect(0, 30, 150, 26);
constexpr QRect kListRect(0, 60, 150, 272);
constexpr QRect kImportRect(0, 338, 72, 28);
constexpr QRect kExportRect(78, 338, 72, 28);
constexpr QRect kGunSetRect(0, 372, 150, 28);
constexpr QRect kNameTitleRect(160, 0, 120, 26);
constexpr QRect kNameEditRect(160, 30, 150, 26);
constexpr QRect kChangeNameRect(316, 30, 94, 26);
constexpr QRect kTableRect(160, 60, 250, 272);
constexpr int kDelayColumnWidth = 80;
constexpr int kToolTop = 338;
constexpr int kToolLeft = 160;
constexpr int kToolPitch = 36;
constexpr QSize kToolSize(32, 28);
constexpr int kClipTop = 372;
constexpr int kClipPitch = 85;
constexpr int kClipWidth = 80;
constexpr QRect kStartRect(160, 404, 122, 28);
constexpr QRect kRecordAfterRect(288, 404, 122, 28);
constexpr int kRightX = 420;
constexpr int kRightWidth = 232;
constexpr QRect kRecordDelaysRect(kRightX, 0, kRightWidth, 22);
constexpr QRect kDefaultDelayBoxRect(kRightX, 24, 184, 22);
constexpr QRect kDefaultDelayEditRect(608, 24, 44, 22);
constexpr QRect kInsertDelayRect(kRightX, 50, 112, 26);
constexpr QRect kMouseActionRect(540, 50, 112, 26);
constexpr QRect kCommandTitleRect(kRightX, 80, kRightWidth, 20);
constexpr QRect kTreeRect(kRightX, 100, kRightWidth, 160);
constexpr QRect kRowTitleRect(kRightX, 264, 80, 24);
constexpr QRect kRowNameRect(500, 264, 152, 24);
constexpr QRect kRowValueRect(592, 264, 60, 24);
constexpr int kLoopTop = 292;
constexpr int kLoopPitch = 24;
constexpr QRect kLoopCountRect(608, 292, 44, 22);
constexpr QRect kNoteRect(kRightX, 366, kRightWidth, 34);
constexpr QRect kSaveRect(kRightX, 404, 112, 28);
constexpr QRect kCancelRect(540, 404, 112, 28);
constexpr int kRowHeight = 26;

const char *const kRowToolNames[] = {"rowDelete", "rowUp",   "rowDown", "rowTop", "rowBottom",
                                     "rowClear",  "rowEdit", "rowCopy", "rowCut", "rowPaste"};

MacroRecorder::Clock steadyClock() {
    auto timer = std::make_shared<QElapsedTimer>();
    timer->start();
    return [timer] { return timer->elapsed() + 1; };
}

QCheckBox *checkBox(const char *name, QWidget *parent) {
    auto *box = new QCheckBox(parent);
    box->setObjectName(QLatin1String(name));
    return box;
}
} // namespace

MacroDialog::MacroDialog(double scale, QWidget *parent, MacroRecorder::Clock clock)
    : ConfigPage(parent), m_factor(scale), m_minDelay(qMax(1, description::minDelay())),
      m_recorder(m_minDelay, clock ? std::move(clock) : steadyClock()) {
    setObjectName(QStringLiteral("macroPage"));
    buildList();
    buildEditor();
    buildTools();
    for (VelLabel *title : {m_macroTitle, m_nameTitle, m_commandTitle, m_rowTitle, m_rowName})
        title->setColor(QColor(200, 200, 206));
    retranslate();
    setScale(scale);
    m_list.load();
    showList(QString());
}

MacroDialog::~MacroDialog() {
    stopHook();
}

VelPushButton *MacroDialog::addButton(const char *name, void (MacroDialog::*slot)()) {
    VelPushButton *button = VelPushButton::fromSkin(VelPushButton::tabImages(), name, this);
    connect(button, &QPushButton::clicked, this, slot);
    return button;
}

void MacroDialog::buildList() {
    m_macroTitle = new VelLabel(this);
    m_newButton = addButton("newMacroButton", &MacroDialog::newMacro);
    m_newButton->setText(QStringLiteral("+"));
    m_deleteButton = addButton("deleteMacroButton", &MacroDialog::deleteMacro);
    m_deleteButton->setText(QStringLiteral("-"));
    m_batchButton = addButton("batchButton", &MacroDialog::toggleBatch);
    m_batchButton->setCheckable(true);
    m_macroList = new QListWidget(this);
    m_macroList->setObjectName(QStringLiteral("macroList"));
    m_macroList->setStyleSheet(
        QStringLiteral("QListWidget{background:rgb(28,28,31);border:1px solid rgb(60,60,66);}"
                       "QListWidget::item{height:26px;}"
                       "QListWidget::item:selected{background:rgb(70,70,76);}"));
    connect(m_macroList, &QListWidget::currentRowChanged, this,
            [this](int row) { itemClicked(m_macroList->model()->index(qMax(row, 0), 0)); });
    m_importButton = addButton("importButton", &MacroDialog::importMacros);
    m_exportButton = addButton("exportButton", &MacroDialog::exportMacros);
    m_gunSetButton = addButton("gunSetButton", &MacroDialog::gunSet);
}

void MacroDialog::buildEditor() {
    m_nameTitle = new VelLabel(this);
    m_nameEdit = new VelLineEdit(this);
    m_nameEdit->setObjectName(QStringLiteral("macroNameEdit"));
    m_nameEdit->setMaxLength(100);
    m_changeNameButton = addButton("changeNameButton", &MacroDialog::changeName);

    m_model = new MacroActionModel(this);
    m_delegate = new VelMacroItemDelegate(m_minDelay, this);
    m_table = new QTableView(this);
    m_table->setObjectName(QStringLiteral("actionTable"));
    m_table->setModel(m_model);
    m_table->setItemDelegate(m_delegate);
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->setShowGrid(false);
    m_table->verticalHeader()->hide();
    m_table->setColumnHidden(MacroActionModel::kDataL, true);
    m_table->horizontalHeader()->setStretchLastSection(true);
    m_table->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    connect(m_table->selectionModel(), &QItemSelectionModel::currentChanged, this,
            &MacroDialog::CurrentChanged);

    m_startButton = addButton("startButton", &MacroDialog::startRecording);
    m_stopButton = addButton("stopButton", &MacroDialog::stopRecording);
    m_stopButton->hide();
    m_recordAfterButton = VelPushButton::fromSkin(VelPushButton::tabImages(), "recordAfterButton", this);
    m_recordAfterButton->setCheckable(true);
    m_saveButton = addButton("saveButton", &MacroDialog::saveMacro);
    m_cancelButton = addButton("cancelButton", &MacroDialog::cancelEdits);
    m_captureNote = new VelLabel(this);
    m_captureNote->setObjectName(QStringLiteral("captureNote"));
    m_captureNote->setTextWrap(true);
    m_captureNote->setColor(QColor(200, 200, 206));
    m_captureNote->hide();
}

void MacroDialog::buildTools() {
    m_recordDelaysBox = checkBox("recordDelaysBox", this);
    m_defaultDelayBox = checkBox("defaultDelayBox", this);
    for (QCheckBox *box : {m_recordDelaysBox, m_defaultDelayBox})
        connect(box, &QCheckBox::clicked, this, [this, box] { onDelayBoxClicked(box); });
    m_defaultDelayEdit = new VelLineEdit(this);
    m_defaultDelayEdit->setObjectName(QStringLiteral("defaultDelayEdit"));
    m_defaultDelayEdit->setValidator(new QIntValidator(0, 99999, m_defaultDelayEdit));
    connect(m_defaultDelayEdit, &QLineEdit::textChanged, this, &MacroDialog::DefDelayChanged);
    m_insertDelayButton = addButton("insertDelayButton", &MacroDialog::insertDelay);

    m_mouseActionButton = VelPushButton::fromSkin(VelPushButton::tabImages(), "mouseActionButton", this);
    m_mouseActionMenu = new VelMenu(this);
    for (int i = 0; i < VelTreeWidget::kButtonCount + VelTreeWidget::kMoveCount; ++i) {
        auto *action = new VelAction(m_mouseActionMenu);
        m_mouseActionMenu->addAction(action);
        connect(action, &QAction::triggered, this, [this, i] { insertMouseAction(i); });
    }
    connect(m_mouseActionButton, &QPushButton::clicked, this, [this] {
        m_mouseActionMenu->exec(m_mouseActionButton->mapToGlobal(QPoint(0, m_mouseActionButton->height())));
    });

    m_commandTitle = new VelLabel(this);
    m_tree = new VelTreeWidget(this);
    connect(m_tree, &QTreeWidget::itemClicked, this, &MacroDialog::TreeitemClick);
    for (int i = 0; i < VelTreeWidget::kMoveCount; ++i)
        connect(m_tree->moveItem(i), &VelTreeItem::VelMousePressed, this,
                [this, i] { insertMouseAction(VelTreeWidget::kButtonCount + i); });

    m_rowTitle = new VelLabel(this);
    m_rowName = new VelLabel(this);
    m_rowValueEdit = new VelLineEdit(this);
    m_rowValueEdit->setObjectName(QStringLiteral("rowValueEdit"));
    m_rowValueEdit->setValidator(new QIntValidator(0, 999999, m_rowValueEdit));
    connect(m_rowValueEdit, &QLineEdit::textEdited, this, [this](const QString &text) {
        if (m_model->step(currentRow()).isDelay())
            EditDelayChanged(text);
        else if (m_model->step(currentRow()).isMove())
            EditMoveChanged(text);
    });
    // A field left empty (or at a move's 0, which the row does not take) shows the row's value again.
    connect(m_rowValueEdit, &VelLineEdit::velLostFocus, this, [this] { showRowEditor(currentRow()); });
    showRowEditor(-1);

    for (int mode = 0; mode < kLoopModeCount; ++mode) {
        m_loopBoxes[mode] = checkBox("", this);
        m_loopBoxes[mode]->setObjectName(QStringLiteral("loopMode%1").arg(mode));
        connect(m_loopBoxes[mode], &QCheckBox::clicked, this, [this, mode] { onLoopBoxClicked(mode); });
    }
    m_loopCountEdit = new VelLineEdit(this);
    m_loopCountEdit->setObjectName(QStringLiteral("loopCountEdit"));
    m_loopCountEdit->setValidator(new QIntValidator(0, 999, m_loopCountEdit));
    connect(m_loopCountEdit, &QLineEdit::textChanged, this, &MacroDialog::LoopTimeChanged);

    void (MacroDialog::*const tools[])() = {&MacroDialog::deleteRow,       &MacroDialog::moveRowUp,
                                            &MacroDialog::moveRowDown,     &MacroDialog::moveRowToTop,
                                            &MacroDialog::moveRowToBottom, &MacroDialog::clearRows,
                                            &MacroDialog::editRowKey,      &MacroDialog::copyRows,
                                            &MacroDialog::cutRows,         &MacroDialog::pasteRows};
    for (size_t i = 0; i < m_rowTools.size(); ++i)
        m_rowTools[i] = addButton(kRowToolNames[i], tools[i]);
}

void MacroDialog::setScale(double factor) {
    ConfigPage::setScale(factor);
    m_factor = factor;
    const auto place = [factor](QWidget *widget, const QRect &base) {
        widget->setGeometry(DisplayScale::scaled(base, factor));
    };
    place(m_macroTitle, kMacroTitleRect);
    place(m_newButton, kNewRect);
    place(m_deleteButton, kDeleteRect);
    place(m_batchButton, kBatchRect);
    place(m_macroList, kListRect);
    place(m_importButton, kImportRect);
    place(m_exportButton, kExportRect);
    place(m_gunSetButton, kGunSetRect);
    place(m_nameTitle, kNameTitleRect);
    place(m_nameEdit, kNameEditRect);
    place(m_changeNameButton, kChangeNameRect);
    place(m_table, kTableRect);
    for (size_t i = 0; i < m_rowTools.size(); ++i) {
        // The first seven tools on one line, COPY, CUT and PASTE wider on the next.
        const int column = int(i);
        const QRect base =
            i < 7 ? QRect(QPoint(kToolLeft + kToolPitch * column, kToolTop), kToolSize)
                  : QRect(kToolLeft + kClipPitch * (column - 7), kClipTop, kClipWidth, kToolSize.height());
        place(m_rowTools[i], base);
    }
    place(m_startButton, kStartRect);
    place(m_stopButton, kStartRect);
    place(m_recordAfterButton, kRecordAfterRect);
    place(m_recordDelaysBox, kRecordDelaysRect);
    place(m_defaultDelayBox, kDefaultDelayBoxRect);
    place(m_defaultDelayEdit, kDefaultDelayEditRect);
    place(m_insertDelayButton, kInsertDelayRect);
    place(m_mouseActionButton, kMouseActionRect);
    place(m_commandTitle, kCommandTitleRect);
    place(m_tree, kTreeRect);
    place(m_rowTitle, kRowTitleRect);
    place(m_rowName, kRowNameRect);
    place(m_rowValueEdit, kRowValueRect);
    for (int mode = 0; mode < kLoopModeCount; ++mode)
        place(m_loopBoxes[mode],
              QRect(kRightX, kLoopTop + kLoopPitch * mode, mode == 0 ? 184 : kRightWidth, 22));
    place(m_loopCountEdit, kLoopCountRect);
    place(m_captureNote, kNoteRect);
    place(m_saveButton, kSaveRect);
    place(m_cancelButton, kCancelRect);
    m_tree->setScale(factor);
    m_table->verticalHeader()->setDefaultSectionSize(DisplayScale::scaled(kRowHeight, factor));
    m_table->setStyleSheet(
        QStringLiteral(
            "QTableView{background:rgb(28,28,31);border:1px solid rgb(60,60,66);color:rgb(225,225,225);}"
            "QHeaderView::section{background:rgb(44,44,48);color:rgb(200,200,206);border:none;"
            "padding:2px;font-size:%1px;}")
            .arg(DisplayScale::scaled(11, factor)));
    const int delayWidth = DisplayScale::scaled(kDelayColumnWidth, factor);
    m_table->setColumnWidth(MacroActionModel::kMap,
                            DisplayScale::scaled(kTableRect.width() - 2, factor) - delayWidth);
    m_table->setColumnWidth(MacroActionModel::kDataH, delayWidth);
    const QString boxStyle = AccentColor::checkBoxStyle(factor);
    for (QCheckBox *box : findChildren<QCheckBox *>())
        box->setStyleSheet(boxStyle);
    QFont small = UiLanguage::font();
    small.setPixelSize(qMax(1, DisplayScale::scaled(11, factor)));
    for (QWidget *widget :
         std::initializer_list<QWidget *>{m_recordDelaysBox, m_defaultDelayBox, m_loopBoxes[0],
                                          m_loopBoxes[1], m_loopBoxes[2], m_captureNote})
        widget->setFont(small);
}

void MacroDialog::retranslate() {
    m_macroTitle->setText(tr("MACRO"));
    m_newButton->setToolTip(tr("NEW"));
    m_deleteButton->setToolTip(tr("DELETE"));
    m_batchButton->setText(tr("BATCH"));
    m_importButton->setText(tr("IMPORT"));
    m_exportButton->setText(tr("EXPORT"));
    m_gunSetButton->setText(tr("GUN SET"));
    m_nameTitle->setText(tr("MACRO NAME"));
    m_changeNameButton->setText(tr("CHANGE NAME"));
    m_model->setHeaders({tr("ACTION"), tr("DELAY(ms)")}, tr("KEY"));
    m_startButton->setText(tr("START"));
    m_stopButton->setText(tr("STOP"));
    m_recordAfterButton->setText(tr("RECORD AFTER"));
    m_recordDelaysBox->setText(tr("RECORD DELAYS BETWEEN ACTION"));
    m_defaultDelayBox->setText(tr("INSERT DEFAULT DELAY"));
    m_insertDelayButton->setText(tr("INSERT DELAY"));
    m_mouseActionButton->setText(tr("MOUSE ACTION"));
    // The menu's entries are the tree's: its five buttons, then its four moves.
    const QList<QAction *> entries = m_mouseActionMenu->actions();
    for (int i = 0; i < entries.size(); ++i) {
        static_cast<VelAction *>(entries[i])
            ->setText(
                i < VelTreeWidget::kButtonCount
                    ? VelTreeWidget::buttonName(VelTreeWidget::buttonBitAt(i))
                    : VelTreeWidget::moveName(VelTreeWidget::directionAt(i - VelTreeWidget::kButtonCount)));
    }
    m_commandTitle->setText(tr("MOUSE COMMAND"));
    m_tree->retranslate();
    m_loopBoxes[0]->setText(tr("LOOPS TIME(1-255)"));
    m_loopBoxes[1]->setText(tr("REPEAT RUN WHEN KEY DOWN"));
    m_loopBoxes[2]->setText(tr("REPEAT RUN UNTIL THE KEY DOWN"));
    m_captureNote->setText(tr("Keys and clicks are recorded only inside this window."));
    m_saveButton->setText(tr("SAVE"));
    m_cancelButton->setText(tr("CANCEL"));
    // Glyphs for the row tools that have no room for a word; the tool tips name them.
    const char *glyphs[] = {"\u2715", "\u2191", "\u2193", "\u21c8", "\u21ca", "\u232b", "\u270e"};
    const QString tips[] = {tr("DELETE"), tr("UP"),   tr("DOWN"), tr("TOP"), tr("BOTTOM"),
                            tr("CLEAR"),  tr("EDIT"), tr("COPY"), tr("CUT"), tr("PASTE")};
    for (size_t i = 0; i < m_rowTools.size(); ++i) {
        m_rowTools[i]->setToolTip(tips[i]);
        m_rowTools[i]->setText(i < 7 ? QString::fromUtf8(glyphs[i]) : tips[i]);
    }
    showRowEditor(currentRow());
}

void MacroDialog::refresh() {
    // The page shows the macro files, not the profile: only a list changed elsewhere (korvanectl) is
    // shown again. The macro being edited stays as it is.
    if (m_recording || m_editKey)
        return;
    const QStringList before = m_list.names();
    m_list.load();
    if (m_list.names() != before)
        showList(m_current);
}

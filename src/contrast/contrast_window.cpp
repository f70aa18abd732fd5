#include "contrast/contrast_window.h"

#include "colour/contrast.h"
#include "colour/qt_colour.h"
#include "widgets/colour_box.h"

#include <QClipboard>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QGridLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QPainter>
#include <QPainterPath>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QVBoxLayout>

namespace tinctora::contrast {

// The pair painted as text on its background: the main sample in normal and large bold text with
// a small control drawn in the text colour; a vision's sample as its name and a bold "Aa".
class PairSample : public QWidget {
public:
    PairSample(bool main, QWidget* parent) : QWidget(parent), main_(main) {
        setMinimumSize(main ? QSize(260, 76) : QSize(260, 26));
        setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    }

    void setPair(colour::ColourValue text, colour::ColourValue background, const QString& caption) {
        text_ = text;
        background_ = background;
        caption_ = caption;
        setAccessibleDescription(QString::fromStdString(
            "Text " + colour::reportHex(text) + " on background " + colour::reportHex(background)));
        update();
    }
    colour::ColourValue text() const { return text_; }
    colour::ColourValue background() const { return background_; }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.fillRect(rect(), colour::toQColor(background_));
        const QColor ink = colour::toQColor(text_);
        painter.setPen(ink);
        QFont normal = font();
        QFont bold = font();
        bold.setBold(true);
        const int margin = 8;
        if (!main_) {
            painter.setFont(normal);
            const QRect inside = rect().adjusted(margin, 0, -margin, 0);
            painter.drawText(inside, Qt::AlignVCenter | Qt::AlignLeft, caption_);
            painter.setFont(bold);
            painter.drawText(inside, Qt::AlignVCenter | Qt::AlignRight, "Aa");
            return;
        }
        // WCAG's large text: 18 points, or 14 points bold; the larger of the two is shown.
        bold.setPointSizeF(18.0);
        painter.setFont(normal);
        const QFontMetrics normalMetrics(normal);
        painter.drawText(margin, margin + normalMetrics.ascent(), caption_);
        painter.setFont(bold);
        const QFontMetrics boldMetrics(bold);
        painter.drawText(margin, height() - margin - boldMetrics.descent(), "Large bold text");
        // A check box drawn in the text colour: the shape a non-text contrast is about.
        const int side = 22;
        const QRectF box(width() - margin - side, (height() - side) / 2.0, side, side);
        painter.setPen(QPen(ink, 2.0));
        painter.setBrush(Qt::NoBrush);
        painter.drawRoundedRect(box, 4, 4);
        QPainterPath tick;
        tick.moveTo(box.left() + 5, box.center().y());
        tick.lineTo(box.left() + 9, box.bottom() - 6);
        tick.lineTo(box.right() - 5, box.top() + 6);
        painter.drawPath(tick);
    }

private:
    const bool main_;
    colour::ColourValue text_ = 0;
    colour::ColourValue background_ = 0xFFFFFF;
    QString caption_;
};

namespace {

QString hexOf(colour::ColourValue v) {
    return QString::fromStdString(colour::reportHex(v));
}

// A label's caption without its mnemonic marker or colon, as a screen reader should say it.
QString spokenName(const QString& caption) {
    QString name = caption;
    name.remove('&');
    if (name.endsWith(':'))
        name.chop(1);
    return name;
}

QPushButton* button(const QString& caption, const char* objectName, QWidget* parent) {
    auto* b = new QPushButton(caption, parent);
    b->setObjectName(objectName);
    b->setAccessibleName(spokenName(caption));
    b->setAutoDefault(false);
    return b;
}

} // namespace

ContrastWindow::ContrastWindow(colour::ColourValue text, ScreenPicker pickFromScreen,
                               QWidget* parent)
    : QWidget(parent, Qt::Window) {
    setObjectName("Contrast");
    setWindowTitle("Contrast");
    setAttribute(Qt::WA_DeleteOnClose);
    fields_[kText].colour = text & 0xFFFFFF;
    fields_[kBackground].colour = 0xFFFFFF;
    buildControls(pickFromScreen);
    for (std::size_t f : {kText, kBackground})
        fields_[f].edit->setText(hexOf(fields_[f].colour));
    showPair();
    fields_[kText].edit->setFocus();
    fields_[kText].edit->selectAll();
}

void ContrastWindow::buildControls(const ScreenPicker& pickFromScreen) {
    auto* grid = new QGridLayout;
    const struct {
        const char* caption;
        const char* pickCaption;
        const char* name; // the object names' stem
    } rows[] = {{"&Text:", "Pick Te&xt", "text"},
                {"&Background:", "Pic&k Background", "background"}};
    for (std::size_t f : {kText, kBackground}) {
        Field& field = fields_[f];
        const QString stem = rows[f].name;
        field.label = new QLabel(rows[f].caption, this);
        field.label->setObjectName(stem + "Label");
        field.edit = new QLineEdit(this);
        field.edit->setObjectName(stem + "Field");
        field.edit->setAccessibleName(spokenName(rows[f].caption));
        field.edit->installEventFilter(this);
        field.label->setBuddy(field.edit);
        field.swatch = new widgets::ColourBox(this);
        field.swatch->setObjectName(stem + "Swatch");
        field.swatch->setAccessibleName(spokenName(rows[f].caption) + " colour");
        field.swatch->setFixedSize(28, 22);
        // A swatch drags its colour (onto the other field, or into another program) and takes
        // drops as its field does.
        field.swatch->setDragSource(
            [this, f] {
                auto* data = new QMimeData;
                data->setColorData(colour::toQColor(fields_[f].colour));
                data->setText(hexOf(fields_[f].colour));
                return data;
            },
            [](const QMimeData& data) {
                QPixmap square(16, 16);
                square.fill(data.colorData().value<QColor>());
                return square;
            });
        field.swatch->setDropFilter(
            [](const QMimeData* data) { return colourOfDrop(data).has_value(); });
        connect(field.swatch, &widgets::ColourBox::dropped, this, [this, f](const QMimeData* data) {
            if (const std::optional<colour::ColourValue> c = colourOfDrop(data))
                setColour(f, *c);
        });
        field.pick = button(rows[f].pickCaption, qPrintable(stem + "PickButton"), this);
        // The window may close while the pick is open: the colour then goes nowhere.
        connect(field.pick, &QPushButton::clicked, this, [this, f, pickFromScreen] {
            const QPointer<ContrastWindow> self(this);
            pickFromScreen([self, f](colour::ColourValue c) {
                if (!self)
                    return;
                self->setColour(f, c);
                self->raise();
                self->activateWindow();
            });
        });
        connect(field.edit, &QLineEdit::textChanged, this, [this, f] { fieldEdited(f); });
        const int row = static_cast<int>(f);
        grid->addWidget(field.label, row, 0);
        grid->addWidget(field.edit, row, 1);
        grid->addWidget(field.swatch, row, 2);
        grid->addWidget(field.pick, row, 3);
    }
    swapButton_ = button("&Swap", "swapButton", this);
    connect(swapButton_, &QPushButton::clicked, this, &ContrastWindow::swap);
    grid->addWidget(swapButton_, 0, 4, 2, 1);

    problemLine_ = new QLabel(this);
    problemLine_->setObjectName("problemLine");
    problemLine_->setWordWrap(true);
    problemLine_->setTextFormat(Qt::PlainText);

    sample_ = new PairSample(true, this);
    sample_->setObjectName("sample");
    sample_->setAccessibleName("Sample");
    auto* samples = new QVBoxLayout;
    samples->setSpacing(2);
    samples->addWidget(sample_);
    for (std::size_t i = 0; i < colour::kColourVisions.size(); ++i) {
        visionSamples_[i] = new PairSample(false, this);
        const QString name = colour::colourVisionName(colour::kColourVisions[i]);
        visionSamples_[i]->setObjectName(name.toLower() + "Sample");
        visionSamples_[i]->setAccessibleName(name + " sample");
        samples->addWidget(visionSamples_[i]);
    }

    auto* reportLabel = new QLabel("Report", this);
    reportView_ = new QPlainTextEdit(this);
    reportView_->setObjectName("report");
    reportView_->setAccessibleName("Report");
    reportView_->setReadOnly(true);
    reportView_->setLineWrapMode(QPlainTextEdit::NoWrap);
    reportView_->installEventFilter(this);
    reportLabel->setBuddy(reportView_);
    const QFontMetrics metrics(reportView_->font());
    // All fourteen lines at once, each whole.
    reportView_->setMinimumSize(
        metrics.horizontalAdvance("Nearest text that passes AAA: #000000 (21.00:1)") + 24,
        metrics.lineSpacing() * 14 + 16);

    auto* buttons = new QHBoxLayout;
    for (std::size_t i = 0; i < suggestionButtons_.size(); ++i) {
        suggestionButtons_[i] = button(QString(), i == 0 ? "useAaButton" : "useAaaButton", this);
        connect(suggestionButtons_[i], &QPushButton::clicked, this, [this, i] {
            if (suggestions_[i])
                setColour(kText, *suggestions_[i]);
        });
        buttons->addWidget(suggestionButtons_[i]);
    }
    buttons->addStretch();
    copyReportButton_ = button("Copy &Report", "copyReportButton", this);
    copyReportButton_->setToolTip("Ctrl+C");
    connect(copyReportButton_, &QPushButton::clicked, this, &ContrastWindow::copyReport);
    buttons->addWidget(copyReportButton_);

    // The samples beside the report, so that the window fits a small screen.
    auto* reportColumn = new QVBoxLayout;
    reportColumn->addWidget(reportLabel);
    reportColumn->addWidget(reportView_);
    samples->addStretch();
    auto* middle = new QHBoxLayout;
    middle->addLayout(samples);
    middle->addLayout(reportColumn);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addWidget(problemLine_);
    layout->addLayout(middle);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    setTabOrder(fields_[kText].edit, fields_[kText].pick);
    setTabOrder(fields_[kText].pick, fields_[kBackground].edit);
    setTabOrder(fields_[kBackground].edit, fields_[kBackground].pick);
    setTabOrder(fields_[kBackground].pick, swapButton_);
}

QString ContrastWindow::report() const {
    return QString::fromStdString(colour::contrastReport(textColour(), backgroundColour()));
}

void ContrastWindow::copyReport() {
    const QString text = report();
    QClipboard* clipboard = QGuiApplication::clipboard();
    clipboard->setText(text, QClipboard::Clipboard);
    if (clipboard->supportsSelection())
        clipboard->setText(text, QClipboard::Selection);
}

void ContrastWindow::swap() {
    const colour::ColourValue text = textColour();
    setColour(kText, backgroundColour());
    setColour(kBackground, text);
}

void ContrastWindow::takeSuggestion() {
    for (const std::optional<colour::ColourValue>& s : suggestions_)
        if (s) {
            setColour(kText, *s);
            return;
        }
}

void ContrastWindow::setColour(std::size_t field, colour::ColourValue c) {
    // The text reads back as this colour, so the edit's own handler makes it the field's.
    fields_[field].edit->setText(hexOf(c & 0xFFFFFF));
}

void ContrastWindow::fieldEdited(std::size_t f) {
    Field& field = fields_[f];
    const std::optional<colour::ColourValue> parsed =
        colour::parseColourField(field.edit->text().toStdString());
    field.notAColour = !parsed;
    if (parsed)
        field.colour = *parsed;
    // A field that is not a colour keeps its last good one, and shows that it is marked.
    QPalette look = palette();
    if (field.notAColour)
        look.setColor(QPalette::Base, QColor(0xFF, 0xDD, 0xDD));
    field.edit->setPalette(look);
    showPair();
}

void ContrastWindow::showPair() {
    QStringList wrong;
    for (const Field& field : fields_)
        if (field.notAColour)
            wrong.push_back(spokenName(field.label->text()));
    if (wrong.isEmpty())
        problemLine_->clear();
    else
        problemLine_->setText(
            wrong.join(" and ") + (wrong.size() == 1 ? " is not a colour" : " are not colours") +
            ": use #RRGGBB, #RGB, rgb(r, g, b) or a decimal value. The last good colour is kept.");
    problemLine_->setVisible(!wrong.isEmpty());

    const colour::ColourValue text = textColour();
    const colour::ColourValue background = backgroundColour();
    for (std::size_t f : {kText, kBackground})
        fields_[f].swatch->setBackColor(fields_[f].colour);
    sample_->setPair(text, background,
                     QString("Sample text ") + hexOf(text) + " on " + hexOf(background));
    for (std::size_t i = 0; i < colour::kColourVisions.size(); ++i) {
        const colour::ColourVision vision = colour::kColourVisions[i];
        visionSamples_[i]->setPair(colour::simulatedColour(vision, text),
                                   colour::simulatedColour(vision, background),
                                   colour::colourVisionName(vision));
    }
    QString shownReport = report();
    shownReport.chop(1); // no empty line after the last
    reportView_->setPlainText(shownReport);

    for (std::size_t i = 0; i < colour::kSuggestionLevels.size(); ++i) {
        const colour::SuggestionLevel& level = colour::kSuggestionLevels[i];
        const std::optional<colour::ColourValue> nearest =
            colour::nearestPassingText(text, background, level.minimum);
        QPushButton* b = suggestionButtons_[i];
        if (!nearest)
            b->setText(QString("No text passes ") + level.name);
        else if (*nearest == text)
            b->setText(QString("Passes ") + level.name);
        else
            b->setText("Use " + hexOf(*nearest) + " for " + level.name);
        b->setAccessibleName(b->text());
        suggestions_[i] = nearest && *nearest != text ? nearest : std::nullopt;
        b->setEnabled(suggestions_[i].has_value());
    }
}

std::optional<colour::ColourValue> ContrastWindow::colourOfDrop(const QMimeData* data) {
    if (!data)
        return std::nullopt;
    if (data->hasColor()) {
        const QColor c = data->colorData().value<QColor>();
        if (c.isValid())
            return colour::fromQColor(c);
    }
    if (data->hasText())
        return colour::parseColourField(data->text().toStdString());
    return std::nullopt;
}

std::optional<std::size_t> ContrastWindow::fieldOf(QObject* watched) const {
    for (std::size_t f : {kText, kBackground})
        if (watched == fields_[f].edit)
            return f;
    return std::nullopt;
}

bool ContrastWindow::eventFilter(QObject* watched, QEvent* event) {
    const std::optional<std::size_t> field = fieldOf(watched);
    switch (event->type()) {
    case QEvent::KeyPress: {
        // Ctrl+C copies the report unless there is a selection to copy instead.
        auto* key = static_cast<QKeyEvent*>(event);
        if (!key->matches(QKeySequence::Copy))
            break;
        const bool selection = field ? fields_[*field].edit->hasSelectedText()
                                     : reportView_->textCursor().hasSelection();
        if (selection)
            break;
        copyReport();
        return true;
    }
    case QEvent::DragEnter:
    case QEvent::DragMove:
        // A field takes a colour, or a text that is one, as a whole; nothing else.
        if (field) {
            auto* drag = static_cast<QDragMoveEvent*>(event);
            if (colourOfDrop(drag->mimeData()))
                drag->acceptProposedAction();
            else
                drag->ignore();
            return true;
        }
        break;
    case QEvent::Drop:
        if (field) {
            auto* drop = static_cast<QDropEvent*>(event);
            if (const std::optional<colour::ColourValue> c = colourOfDrop(drop->mimeData())) {
                setColour(*field, *c);
                drop->acceptProposedAction();
            } else {
                drop->ignore();
            }
            return true;
        }
        break;
    default:
        break;
    }
    return QWidget::eventFilter(watched, event);
}

void ContrastWindow::keyPressEvent(QKeyEvent* event) {
    if (event->matches(QKeySequence::Copy)) {
        copyReport();
        return;
    }
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        takeSuggestion();
        return;
    case Qt::Key_Escape:
        close();
        return;
    default:
        QWidget::keyPressEvent(event);
    }
}

} // namespace tinctora::contrast

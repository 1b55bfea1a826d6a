// Renders the Kestrune manual from Markdown into an A4 PDF with page numbers:
//   render_manual MANUAL.md OUTPUT.pdf
// The Markdown is laid out by QTextDocument, given a printed look (fonts, boxed code,
// ruled tables) and drawn page by page so that each page can carry its footer.

#include <QAbstractTextDocumentLayout>
#include <QFile>
#include <QGuiApplication>
#include <QMarginsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QTextBlock>
#include <QTextCursor>

#include "Version.h"
#include <QTextDocument>
#include <QTextFrame>
#include <QTextTable>
#include <QtGlobal>
#include <cmath>
#include <cstdio>
#include <utility>
#include <vector>

namespace {

const QString BodyFamily = QStringLiteral("Liberation Serif");
const QString HeadingFamily = QStringLiteral("Liberation Sans");
const QString CodeFamily = QStringLiteral("Liberation Mono");
const QString FooterTitle = QStringLiteral("Kestrune %1 User Manual").arg(QLatin1StringView(kestrune::kVersion));
const QColor HeadingColour(0x7a, 0x1f, 0x1f);
const QColor RuleColour(0x99, 0x99, 0x99);
const QColor ShadeColour(0xf1, 0xf1, 0xf1);
const QColor HeaderRowColour(0xe2, 0xe2, 0xe2);

constexpr qreal BodyPoints = 10;
constexpr qreal TablePoints = 9;
constexpr qreal CodePoints = 8.5;
constexpr qreal FooterPoints = 8.5;

// Page margins in millimetres; the footer sits inside the bottom margin.
constexpr qreal MarginSideMm = 20;
constexpr qreal MarginTopMm = 18;
constexpr qreal MarginBottomMm = 22;
constexpr qreal FooterGapMm = 8;

// Body lines that must fit below a heading on its page.
constexpr qreal LinesKeptWithHeading = 4;

// Lengths in text formats are layout pixels at 96 per inch; the layout scales them to the
// writer's resolution.
constexpr qreal fromPoints(qreal points) {
    return points * 96.0 / 72.0;
}
constexpr qreal fromMm(qreal mm) {
    return mm * 96.0 / 25.4;
}

struct Failure {
    QString message;
};

QString readMarkdown(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw Failure{QStringLiteral("cannot read %1: %2").arg(path, file.errorString())};
    return QString::fromUtf8(file.readAll());
}

bool isCodeBlock(const QTextBlock& block) {
    const QTextBlockFormat format = block.blockFormat();
    return format.hasProperty(QTextFormat::BlockCodeFence) ||
           format.hasProperty(QTextFormat::BlockCodeLanguage);
}

// Applies `change` to the character format of each fragment of the block. The formats are
// gathered first because setting one may merge it with its neighbour.
template <typename Change>
void changeCharFormats(const QTextBlock& block, Change change) {
    std::vector<std::pair<int, int>> spans;
    for (auto it = block.begin(); !it.atEnd(); ++it)
        spans.emplace_back(it.fragment().position(), it.fragment().length());
    QTextCursor cursor(block);
    for (const auto& [position, length] : spans) {
        cursor.setPosition(position + 1);
        QTextCharFormat format = cursor.charFormat();  // of the character before the cursor
        change(format);
        cursor.setPosition(position);
        cursor.setPosition(position + length, QTextCursor::KeepAnchor);
        cursor.setCharFormat(format);
    }
}

// Headings take the sans face at fixed sizes. The importer's relative size has to go: the
// document scales any format that carries one, whatever point size it also has.
void styleHeading(const QTextBlock& heading) {
    static constexpr qreal points[] = {22, 15, 12, 10.5, 10.5, 10.5};
    static constexpr qreal spaceAbove[] = {0, 16, 11, 8, 8, 8};
    const int index = qBound(1, heading.blockFormat().headingLevel(), 6) - 1;

    QTextBlockFormat block = heading.blockFormat();
    block.setTopMargin(fromPoints(spaceAbove[index]));
    block.setBottomMargin(fromPoints(index == 0 ? 4 : 5));
    QTextCursor(heading).setBlockFormat(block);

    changeCharFormats(heading, [index](QTextCharFormat& format) {
        format.clearProperty(QTextFormat::FontSizeAdjustment);
        format.setFontFamilies({HeadingFamily});
        format.setFontPointSize(points[index]);
        format.setFontWeight(QFont::Bold);
        format.setForeground(HeadingColour);
    });
}

void styleBody(const QTextBlock& paragraph) {
    QTextBlockFormat block = paragraph.blockFormat();
    block.setLineHeight(112, QTextBlockFormat::ProportionalHeight);
    if (paragraph.textList()) {
        block.setTopMargin(fromPoints(1.5));
        block.setBottomMargin(fromPoints(1.5));
    }
    QTextCursor(paragraph).setBlockFormat(block);
}

// Inline code spans keep the importer's fixed-pitch mark; give them the code face.
void styleInlineCode(QTextDocument& document) {
    std::vector<std::pair<int, int>> spans;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            if (fragment.charFormat().fontFixedPitch())
                spans.emplace_back(fragment.position(), fragment.length());
        }
    }
    QTextCharFormat code;
    code.setFontFamilies({CodeFamily});
    code.setFontPointSize(BodyPoints * 0.92);
    for (const auto& [position, length] : spans) {
        QTextCursor cursor(&document);
        cursor.setPosition(position);
        cursor.setPosition(position + length, QTextCursor::KeepAnchor);
        cursor.mergeCharFormat(code);
    }
}

void styleBlocks(QTextDocument& document) {
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        if (block.blockFormat().headingLevel() > 0)
            styleHeading(block);
        else if (!isCodeBlock(block))
            styleBody(block);
    }
    styleInlineCode(document);
}

void styleTable(QTextTable* table) {
    QTextTableFormat format = table->format();
    format.setBorder(fromPoints(0.6));
    format.setBorderBrush(RuleColour);
    format.setBorderStyle(QTextFrameFormat::BorderStyle_Solid);
    format.setBorderCollapse(true);
    format.setWidth(QTextLength(QTextLength::PercentageLength, 100));
    format.setCellSpacing(0);
    format.setCellPadding(fromPoints(3));
    format.setHeaderRowCount(1);  // repeated when a table runs onto the next page
    format.setTopMargin(fromPoints(4));
    format.setBottomMargin(fromPoints(8));
    table->setFormat(format);

    QTextCursor cells = table->firstCursorPosition();
    cells.setPosition(table->lastCursorPosition().position(), QTextCursor::KeepAnchor);
    QTextBlockFormat tight;
    tight.setTopMargin(0);
    tight.setBottomMargin(0);
    tight.setLineHeight(100, QTextBlockFormat::ProportionalHeight);
    cells.mergeBlockFormat(tight);
    QTextCharFormat small;
    small.setFontPointSize(TablePoints);
    cells.mergeCharFormat(small);

    // With collapsed borders each cell draws its own rules.
    for (int row = 0; row < table->rows(); ++row) {
        for (int column = 0; column < table->columns(); ++column) {
            QTextTableCell cell = table->cellAt(row, column);
            QTextTableCellFormat ruled = cell.format().toTableCellFormat();
            ruled.setBorder(fromPoints(0.6));
            ruled.setBorderBrush(RuleColour);
            ruled.setBorderStyle(QTextFrameFormat::BorderStyle_Solid);
            if (row == 0) ruled.setBackground(HeaderRowColour);
            cell.setFormat(ruled);
        }
    }
}

void styleTables(QTextDocument& document) {
    for (QTextFrame* frame : document.rootFrame()->childFrames()) {
        if (auto* table = qobject_cast<QTextTable*>(frame)) styleTable(table);
    }
}

// The importer writes each line of a code block as a block of its own. Each run of them is
// moved into a shaded, ruled frame so that it reads as one box with some padding.
void boxCodeBlocks(QTextDocument& document) {
    std::vector<std::pair<int, int>> runs;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        if (!isCodeBlock(block)) continue;
        const int end = block.position() + block.length() - 1;
        if (block.previous().isValid() && isCodeBlock(block.previous()))
            runs.back().second = end;
        else
            runs.emplace_back(block.position(), end);
    }

    QTextFrameFormat box;
    box.setBackground(ShadeColour);
    box.setBorder(fromPoints(0.6));
    box.setBorderBrush(RuleColour);
    box.setBorderStyle(QTextFrameFormat::BorderStyle_Solid);
    box.setPadding(fromPoints(5));
    box.setTopMargin(fromPoints(3));
    box.setBottomMargin(fromPoints(8));

    QTextCharFormat code;
    code.setFontFamilies({CodeFamily});
    code.setFontPointSize(CodePoints);

    // From the last run back, so the positions of the earlier runs stay valid.
    for (auto run = runs.rbegin(); run != runs.rend(); ++run) {
        QTextCursor cursor(&document);
        cursor.setPosition(run->first);
        cursor.setPosition(run->second, QTextCursor::KeepAnchor);
        cursor.mergeCharFormat(code);
        QTextFrame* frame = cursor.insertFrame(box);
        // The frame is put after a new empty line; join that line to the text before it.
        if (frame->firstPosition() >= 2) {
            QTextCursor split(&document);
            split.setPosition(frame->firstPosition() - 2);
            split.deleteChar();
        }
    }
}

// The importer ends each code block and table with an empty paragraph; the frame's own
// margin already spaces it from what follows.
void collapseBlankAfterFrames(QTextDocument& document) {
    for (QTextFrame* frame : document.rootFrame()->childFrames()) {
        QTextCursor after(&document);
        after.setPosition(frame->lastPosition() + 1);
        if (!after.block().text().isEmpty()) continue;
        QTextBlockFormat blank = after.blockFormat();
        blank.setTopMargin(0);
        blank.setBottomMargin(0);
        blank.setLineHeight(fromPoints(1), QTextBlockFormat::FixedHeight);
        after.setBlockFormat(blank);
    }
}

// The first heading from `from` on (below the title) that sits at the foot of a page with no
// room for the text it introduces, or whose text has been moved on to the next page.
QTextBlock orphanedHeading(const QTextDocument& document, int from, qreal room,
                           qreal bottomMargin) {
    QAbstractTextDocumentLayout* layout = document.documentLayout();
    const qreal pageHeight = document.pageSize().height();
    const auto pageOf = [pageHeight](qreal y) { return std::floor(y / pageHeight); };
    for (QTextBlock block = document.findBlock(from); block.isValid(); block = block.next()) {
        if (block.blockFormat().headingLevel() < 2) continue;
        const QRectF rect = layout->blockBoundingRect(block);
        const qreal pageTop = pageOf(rect.top()) * pageHeight;
        if (rect.bottom() + room > pageTop + pageHeight - bottomMargin) return block;
        const QTextBlock text = block.next();
        if (text.isValid() && pageOf(layout->blockBoundingRect(text).top()) > pageOf(rect.top()))
            return block;
    }
    return {};
}

// The first code box or table from `from` on that runs over the foot of its page although
// it would fit on half a page; longer tables may run on, their header row repeated.
QTextFrame* tornFrame(const QTextDocument& document, int from, qreal bottomMargin) {
    QAbstractTextDocumentLayout* layout = document.documentLayout();
    const qreal pageHeight = document.pageSize().height();
    for (QTextFrame* frame : document.rootFrame()->childFrames()) {
        if (frame->firstPosition() < from) continue;
        const QRectF rect = layout->frameBoundingRect(frame);
        if (rect.height() > pageHeight / 2) continue;
        const qreal pageTop = std::floor(rect.top() / pageHeight) * pageHeight;
        if (rect.bottom() > pageTop + pageHeight - bottomMargin) return frame;
    }
    return nullptr;
}

// Each returns whether it changed anything.
bool setBreakBefore(const QTextBlock& block, bool wanted) {
    QTextBlockFormat format = block.blockFormat();
    if (bool(format.pageBreakPolicy() & QTextFormat::PageBreak_AlwaysBefore) == wanted)
        return false;
    format.setPageBreakPolicy(wanted ? QTextFormat::PageBreak_AlwaysBefore
                                     : QTextFormat::PageBreak_Auto);
    QTextCursor(block).setBlockFormat(format);
    return true;
}

bool setBreakBefore(QTextFrame* frame, bool wanted) {
    QTextFrameFormat format = frame->frameFormat();
    if (bool(format.pageBreakPolicy() & QTextFormat::PageBreak_AlwaysBefore) == wanted)
        return false;
    format.setPageBreakPolicy(wanted ? QTextFormat::PageBreak_AlwaysBefore
                                     : QTextFormat::PageBreak_Auto);
    frame->setFrameFormat(format);
    return true;
}

// Moves `block` to the next page together with what follows it, which may have been moved
// on its own before: its break goes, so the two stay together.
bool moveWithFollower(QTextDocument& document, const QTextBlock& block) {
    bool changed = setBreakBefore(block, true);
    const QTextBlock follower = block.next();
    if (!follower.isValid()) return changed;
    QTextFrame* frame = QTextCursor(follower).currentFrame();
    if (frame != document.rootFrame() && frame->firstPosition() == follower.position())
        changed |= setBreakBefore(frame, false);
    changed |= setBreakBefore(follower, false);
    return changed;
}

// Such a heading, box or table starts the next page instead, and a box or table takes the
// line that introduces it (ending in a colon) along. Each move shifts everything after it,
// so the document is examined again after every move, earliest place first; a place where
// a move changes nothing is passed over.
void keepTogether(QTextDocument& document, qreal devicePerPixel, qreal bottomMargin) {
    const qreal room = fromPoints(LinesKeptWithHeading * BodyPoints * 1.4) * devicePerPixel;
    constexpr int MaxMoves = 200;  // a safeguard: moves only ever shift breaks towards the start
    int from = 0;
    for (int moves = 0; moves < MaxMoves; ++moves) {
        const QTextBlock heading = orphanedHeading(document, from, room, bottomMargin);
        QTextFrame* frame = tornFrame(document, from, bottomMargin);
        int place = 0;
        bool changed = false;
        if (frame && (!heading.isValid() || frame->firstPosition() < heading.position())) {
            place = frame->firstPosition();
            const QTextBlock intro = document.findBlock(place - 1);
            if (intro.text().endsWith(QLatin1Char(':')) && intro.blockFormat().headingLevel() == 0)
                changed = moveWithFollower(document, intro);
            else
                changed = setBreakBefore(frame, true);
        } else if (heading.isValid()) {
            place = heading.position();
            changed = moveWithFollower(document, heading);
        } else {
            return;
        }
        if (!changed) {
            from = place + 1;
            continue;
        }
        // The layout redoes only part of a paginated document after a change; redo all of it.
        document.markContentsDirty(0, document.characterCount());
    }
}

void drawFooter(QPainter& painter, const QRectF& page, qreal bottomMarginDevice, int number,
                int count) {
    const qreal dotsPerMm = painter.device()->logicalDpiY() / 25.4;
    const qreal side = MarginSideMm * dotsPerMm;
    const qreal ruleY = page.height() - bottomMarginDevice + FooterGapMm * dotsPerMm;
    painter.save();
    painter.setPen(QPen(RuleColour, 0.3 * dotsPerMm));
    painter.drawLine(QPointF(side, ruleY), QPointF(page.width() - side, ruleY));
    painter.setPen(QColor(0x55, 0x55, 0x55));
    QFont footer(HeadingFamily);
    footer.setPointSizeF(FooterPoints);
    painter.setFont(footer);
    const QRectF line(side, ruleY + 1.5 * dotsPerMm, page.width() - 2 * side, 6 * dotsPerMm);
    painter.drawText(line, Qt::AlignLeft | Qt::AlignTop, FooterTitle);
    painter.drawText(line, Qt::AlignRight | Qt::AlignTop,
                     QStringLiteral("Page %1 of %2").arg(number).arg(count));
    painter.restore();
}

void render(const QString& markdownPath, const QString& pdfPath) {
    const QString markdown = readMarkdown(markdownPath);

    QPdfWriter writer(pdfPath);
    writer.setTitle(QStringLiteral("Kestrune Manual"));
    writer.setCreator(QStringLiteral("Kestrune"));
    writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF()));

    QTextDocument document;
    QFont body(BodyFamily);
    body.setPointSizeF(BodyPoints);
    document.setDefaultFont(body);
    document.setUseDesignMetrics(true);
    document.setMarkdown(markdown);
    if (document.isEmpty()) throw Failure{QStringLiteral("%1 holds no text").arg(markdownPath)};

    styleBlocks(document);
    styleTables(document);
    boxCodeBlocks(document);
    collapseBlankAfterFrames(document);

    QTextFrameFormat margins = document.rootFrame()->frameFormat();
    margins.setLeftMargin(fromMm(MarginSideMm));
    margins.setRightMargin(fromMm(MarginSideMm));
    margins.setTopMargin(fromMm(MarginTopMm));
    margins.setBottomMargin(fromMm(MarginBottomMm));
    document.rootFrame()->setFrameFormat(margins);

    // Laid out only now: a layout in place would redo its work after every styling edit.
    document.documentLayout()->setPaintDevice(&writer);
    const QRectF page(0, 0, writer.width(), writer.height());
    document.setPageSize(page.size());
    const qreal bottomMarginDevice = MarginBottomMm * writer.logicalDpiY() / 25.4;
    keepTogether(document, writer.logicalDpiY() / 96.0, bottomMarginDevice);

    QPainter painter;
    if (!painter.begin(&writer)) throw Failure{QStringLiteral("cannot write %1").arg(pdfPath)};
    const int count = document.pageCount();
    for (int index = 0; index < count; ++index) {
        if (index > 0) writer.newPage();
        const QRectF source = page.translated(0, index * page.height());
        painter.save();
        painter.translate(0, -source.top());
        document.drawContents(&painter, source);
        painter.restore();
        drawFooter(painter, page, bottomMarginDevice, index + 1, count);
    }
    if (!painter.end()) throw Failure{QStringLiteral("cannot finish %1").arg(pdfPath)};
}

}  // namespace

int main(int argc, char* argv[]) {
    // Rendering needs fonts but no display, so a build machine without one works too.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);

    const QStringList arguments = QGuiApplication::arguments();
    if (arguments.size() != 3) {
        std::fprintf(stderr, "usage: render_manual MANUAL.md OUTPUT.pdf\n");
        return 2;
    }
    try {
        render(arguments.at(1), arguments.at(2));
    } catch (const Failure& failure) {
        std::fprintf(stderr, "render_manual: %s\n", qPrintable(failure.message));
        return 1;
    }
    return 0;
}

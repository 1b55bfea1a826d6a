#include "ui/LimitedLineEdit.h"

#include <QContextMenuEvent>
#include <QMenu>
#include <QScopedValueRollback>
#include <QValidator>

#include <memory>

namespace ui {

// Refuses a user's edit that makes the text longer than the limit (deleting from a longer
// text set by code stays possible); a refused edit is undone before any change handling
// sees it.
class LimitedLineEdit::TypedLengthValidator : public QValidator {
public:
    TypedLengthValidator(int limit, QObject* parent) : QValidator(parent), limit_(limit) {}

    State validate(QString& input, int&) const override {
        const bool grows = input.size() > limit_ && input.size() > textBeforeEdit.size();
        return userEditing && grows ? Invalid : Acceptable;
    }

    bool userEditing = false;
    QString textBeforeEdit;

private:
    int limit_;
};

LimitedLineEdit::LimitedLineEdit(int typedLimit, QWidget* parent)
    : QLineEdit(parent), validator_(new TypedLengthValidator(typedLimit, this)) {
    setValidator(validator_);
}

QScopedValueRollback<bool> LimitedLineEdit::userEdit() {
    validator_->textBeforeEdit = text();
    return QScopedValueRollback<bool>(validator_->userEditing, true);
}

void LimitedLineEdit::keyPressEvent(QKeyEvent* event) {
    const auto editing = userEdit();
    QLineEdit::keyPressEvent(event);
}

void LimitedLineEdit::inputMethodEvent(QInputMethodEvent* event) {
    const auto editing = userEdit();
    QLineEdit::inputMethodEvent(event);
}

void LimitedLineEdit::dropEvent(QDropEvent* event) {
    const auto editing = userEdit();
    QLineEdit::dropEvent(event);
}

void LimitedLineEdit::mouseReleaseEvent(QMouseEvent* event) {
    // The middle button pastes the selection on X11.
    const auto editing = userEdit();
    QLineEdit::mouseReleaseEvent(event);
}

void LimitedLineEdit::contextMenuEvent(QContextMenuEvent* event) {
    // The menu runs here rather than later, so its Paste counts as user editing.
    const std::unique_ptr<QMenu> menu(createStandardContextMenu());
    const auto editing = userEdit();
    menu->exec(event->globalPos());
}

}  // namespace ui

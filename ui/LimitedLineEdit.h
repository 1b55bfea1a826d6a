#pragma once

#include <QLineEdit>
#include <QScopedValueRollback>

namespace ui {

// A text box whose length limit holds for what the user types, pastes or drops, while text
// set from code is kept whole (QLineEdit's own maximum length would cut it).
class LimitedLineEdit : public QLineEdit {
    Q_OBJECT
public:
    LimitedLineEdit(int typedLimit, QWidget* parent);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    class TypedLengthValidator;
    QScopedValueRollback<bool> userEdit();
    TypedLengthValidator* validator_;
};

}  // namespace ui

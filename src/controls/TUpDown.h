#pragma once
// Up-down buttons attached to a one-line field (the "associate"): the buttons
// step Position by Increment between Min and Max, and the field shows the
// position in decimal. The user may also type into the field; a typed whole
// number within Min..Max becomes the position the next time Position is read
// or a step starts, any other text (empty, letters, out of range) leaves the
// last valid position in force. So Position() always lies within Min..Max.
//
// Values are 16-bit signed, as the callers store them. The buttons repeat
// while held (one Increment per repetition), a double click counts as two
// steps, and with ArrowKeys the Up and Down keys in the field step too.
// Stepping stops at the bounds unless Wrap is set.
#include <QLineEdit>
#include <QPointer>
#include <QWidget>

class QToolButton;

enum class TUDBtnType { udUp, udDown };

class TUpDown : public QWidget {
    Q_OBJECT
public:
    // Min 0, Max 100, Position 0, Increment 1, no wrap, arrow keys on, no field.
    explicit TUpDown(QWidget* parent = nullptr);
    ~TUpDown() override;

    qint16 Min() const { return min_; }
    void SetMin(qint16 v);
    qint16 Max() const { return max_; }
    void SetMax(qint16 v);
    // Reads the field first: a whole number within Min..Max typed there
    // becomes the position; otherwise the last valid position stands.
    qint16 Position() const;
    // Clamped into Min..Max; the field then shows the value in decimal.
    void SetPosition(qint16 v);

    int Increment() const { return increment_; }
    void SetIncrement(int v) { increment_ = v; }
    bool Wrap() const { return wrap_; }
    void SetWrap(bool v) { wrap_ = v; }
    bool ArrowKeys() const { return arrowKeys_; }
    void SetArrowKeys(bool v) { arrowKeys_ = v; }

    // The attached field, or nullptr (none attached, or the field is being
    // destroyed: a destroyed field detaches itself).
    QLineEdit* Associate() const { return qobject_cast<QLineEdit*>(associate_.data()); }
    // Attaches the field (nullptr detaches): it gets the decimal text of
    // Position and the buttons move just right of it, as high as it. A field
    // with another parent than the buttons is silently left unattached.
    // Throws Exception "%s est déjà associé avec %s" when another up-down of
    // the same parent already holds the field.
    void SetAssociate(QLineEdit* field);

    // Names the arrows for a screen reader: "Augmenter <champ>" and
    // "Diminuer <champ>" ("Augmenter" and "Diminuer" until then).
    void NameArrows(const QString& field);

    // The two arrow buttons (upper raises the value).
    QToolButton* UpButton() const { return up_; }
    QToolButton* DownButton() const { return down_; }

signals:
    // After a step that changed the position: udUp when it grew.
    void OnClick(TUDBtnType button);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void Step(int direction);
    void ShowPosition();
    void PlaceBesideField();
    void LayOutButtons();

    qint16 min_ = 0;
    qint16 max_ = 100;
    mutable qint16 position_ = 0;
    int increment_ = 1;
    bool wrap_ = false;
    bool arrowKeys_ = true;
    // Held as a plain object: a field in its destructor is no longer an edit,
    // and is then neither read nor cast.
    QPointer<QObject> associate_;
    QToolButton* up_ = nullptr;
    QToolButton* down_ = nullptr;
};

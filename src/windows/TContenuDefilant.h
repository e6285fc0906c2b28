#pragma once
// What a scroll box scrolls: as large as its children reach, so the bars
// cover the whole sheet whatever size the preparation gives it.
#include <QWidget>

class TContenuDefilant : public QWidget {
public:
    explicit TContenuDefilant(QWidget* parent = nullptr);
    // Follows the moves and resizes of `enfant`, one of its children.
    void Suivre(QWidget* enfant);

protected:
    bool eventFilter(QObject* objet, QEvent* event) override;
};

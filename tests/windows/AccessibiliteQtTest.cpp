// What a screen reader learns of the two windows through the toolkit's
// accessibility API: roles, names and descriptions, the palette's 16 named
// colours with the foreground one selected, and
// the curve table's cells and headers.
#include "controls/TColorGrid.h"
#include "controls/TImage.h"
#include "controls/TUpDown.h"
#include "windows/FenetrePrincipale.h"
#include "windows/uModifier.h"

#include <QAccessible>
#include <QScopeGuard>
#include <QToolButton>

namespace {

QAccessibleInterface* Interface(QObject* o) {
    return QAccessible::queryAccessibleInterface(o);
}

QString Nom(QObject* o) {
    return Interface(o)->text(QAccessible::Name);
}

} // namespace

class AccessibiliteQtTest : public FenetrePrincipaleTest {};

TEST_F(AccessibiliteQtTest, NamesRolesPaletteAndTable) {
    ASSERT_NO_FATAL_FAILURE(Demarrer());
    app.CreateForm(fmModifier);
    const auto fin = qScopeGuard([] { delete fmModifier; });

    EXPECT_EQ(Interface(fmVolutan2)->role(), QAccessible::Window);
    EXPECT_EQ(Interface(fmModifier)->role(), QAccessible::Dialog);
    // The fields named by their labels, the arrows after them, the buttons by
    // their captions.
    const struct {
        QLineEdit* champ;
        TUpDown* fleches;
        const char* nom;
    } champs[] = {{F().edFixe, F().udFixe, "Pignon fixe"},
                  {F().edMobile, F().udMobile, "Pignon mobile"},
                  {F().edTrou, F().udTrou, "Trou n°"}};
    for (const auto& c : champs) {
        const QString nom = QString::fromUtf8(c.nom);
        EXPECT_EQ(Nom(c.champ), nom + QStringLiteral(" :"));
        EXPECT_EQ(Interface(c.champ)->role(), QAccessible::EditableText);
        EXPECT_EQ(Nom(c.fleches->UpButton()), QStringLiteral("Augmenter ") + nom);
        EXPECT_EQ(Nom(c.fleches->DownButton()), QStringLiteral("Diminuer ") + nom);
    }
    EXPECT_EQ(Nom(F().btDessiner), QStringLiteral("Dessiner"));
    EXPECT_EQ(Nom(F().btEffacer), QStringLiteral("Effacer tout"));
    EXPECT_EQ(Nom(fmModifier->btOK), QStringLiteral("OK"));
    EXPECT_EQ(Interface(F().Image1)->text(QAccessible::Description),
              QStringLiteral("Feuille de dessin"));
    fmModifier->asgSpiresClick();
    EXPECT_EQ(Interface(fmModifier->Image2)->text(QAccessible::Description),
              QStringLiteral("Aperçu du dessin n° 1"));

    // The palette: 16 named cells, black selected; a click on red (cell 9)
    // moves the selection. Still no tab stop.
    QAccessibleInterface* palette = Interface(F().cgCouleur);
    EXPECT_EQ(palette->role(), QAccessible::List);
    EXPECT_EQ(palette->text(QAccessible::Name), QStringLiteral("Couleur :"));
    ASSERT_EQ(palette->childCount(), 16);
    QStringList noms;
    for (int i = 0; i < 16; ++i) {
        noms << palette->child(i)->text(QAccessible::Name);
        EXPECT_EQ(palette->child(i)->role(), QAccessible::ListItem);
        EXPECT_EQ(palette->child(i)->state().selected, i == 0) << i;
        EXPECT_EQ(palette->indexOfChild(palette->child(i)), i);
    }
    EXPECT_EQ(noms.join(QStringLiteral(",")),
              QStringLiteral("Noir,Bordeaux,Vert,Olive,Bleu marine,Violet,Bleu canard,Argent,"
                             "Gris,Rouge,Vert vif,Jaune,Bleu,Fuchsia,Cyan,Blanc"));
    QTest::mouseClick(F().cgCouleur, Qt::LeftButton, {}, F().cgCouleur->CellRect(9).center());
    EXPECT_TRUE(palette->child(9)->state().selected);
    EXPECT_FALSE(palette->child(0)->state().selected);
    EXPECT_FALSE(palette->state().focusable);
    EXPECT_EQ(F().cgCouleur->focusPolicy(), Qt::NoFocus);
    const QPoint centre = F().cgCouleur->mapToGlobal(F().cgCouleur->CellRect(9).center());
    EXPECT_EQ(palette->childAt(centre.x(), centre.y()), palette->child(9));

    // The table: cells with their texts, the header names, the current cell.
    fmModifier->asgSpires->SetCellText(1, 1, QStringLiteral("133"));
    QAccessibleInterface* grille = Interface(fmModifier->asgSpires);
    ASSERT_NE(grille->tableInterface(), nullptr);
    QAccessibleTableInterface* table = grille->tableInterface();
    EXPECT_EQ(table->rowCount(), 30);
    EXPECT_EQ(table->columnCount(), 3);
    EXPECT_EQ(table->cellAt(0, 0)->text(QAccessible::Name), QStringLiteral("133"));
    EXPECT_EQ(table->columnDescription(0), QStringLiteral("roue fixe"));
    EXPECT_EQ(table->columnDescription(2), QStringLiteral("n° trou"));
    EXPECT_EQ(table->rowDescription(1), QStringLiteral("2"));
    fmModifier->asgSpires->SetCurrentCell(2, 3);
    auto* courante = table->cellAt(2, 1);
    EXPECT_TRUE(courante->state().selected);
    EXPECT_FALSE(table->cellAt(0, 0)->state().selected);
}

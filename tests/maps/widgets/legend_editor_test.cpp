// The legend editor: limits typed for a rate and for a count, the start of
// the next class, the last class, and a text that is no number.
#include "map_window_fixture.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTimer>

using namespace daxo::maps;
using namespace daxo::maps::test;

namespace {

class LegendEditor : public MapWindowTest {
protected:
    // Opens the editor from the map window and runs `acao` while it is open.
    void comEditor(const std::function<void(TfrmLegenda&)>& acao)
    {
        bool rodou = false;
        QTimer::singleShot(0, [&] {
            TfrmLegenda* editor = janela->editor();
            ASSERT_NE(editor, nullptr);
            acao(*editor);
            rodou = true;
            editor->findChild<QPushButton*>("btnFechar")->click();
        });
        janela->findChild<QPushButton*>("btEditaLegenda")->click();
        EXPECT_TRUE(rodou);
        EXPECT_EQ(janela->editor(), nullptr);
    }
    static QString campo(TfrmLegenda& e, const char* name) { return e.findChild<QLineEdit*>(name)->text(); }
    static void digita(TfrmLegenda& e, const char* edit, const QString& text)
    {
        e.findChild<QLineEdit*>(edit)->setText(text);
        e.findChild<QPushButton*>("btAtualiza")->click();
    }
};

TEST_F(LegendEditor, ARateTakesTheCommaAsDecimalsAndTheNextClassStartsOneHundredthAbove)
{
    abre(6, "Acre", "12", {"chkMasculino", "chkFeminino"}, 3);
    comEditor([&](TfrmLegenda& e) {
        EXPECT_TRUE(e.findChild<QLineEdit*>("Edit4")->isVisibleTo(&e));
        EXPECT_FALSE(e.findChild<QLineEdit*>("Edit5")->isVisibleTo(&e));
        EXPECT_EQ(campo(e, "Edit0"), texto("Label90F")) << "each edit starts with its class's end";
        EXPECT_EQ(campo(e, "Edit4"), texto("Label94F")) << "the last one with the maximum";
        digita(e, "Edit0", "12,34");
        EXPECT_EQ(texto("Label90F"), " 12,34");
        EXPECT_EQ(texto("Label91I"), " 12,35");
        EXPECT_EQ(campo(e, "Edit0"), " 12,34") << "the editor shows the limit now in force";
        EXPECT_EQ(e.findChild<QLabel*>("Label91I")->text(), " 12,35");
        digita(e, "Edit1", "12");
        EXPECT_EQ(texto("Label91F"), " 12,00");
        digita(e, "Edit2", "12,3");
        EXPECT_EQ(texto("Label92F"), " 12,30") << "one decimal typed is one decimal, not a hundredth of the digits";
        const QString maximo = texto("Label94F");
        digita(e, "Edit4", "1");
        EXPECT_EQ(texto("Label94F"), maximo) << "the last class always ends at the maximum";
    });
    EXPECT_TRUE(erros.empty()) << erros.front();
}

TEST_F(LegendEditor, ACountReadsThousandsSeparatorsAndABadTextChangesNothing)
{
    abre(0, "Acre", "12");
    comEditor([&](TfrmLegenda& e) {
        digita(e, "Edit0", "1.234");
        EXPECT_EQ(texto("Label90F"), " 1.234");
        EXPECT_EQ(texto("Label91I"), " 1.235");
        digita(e, "Edit0", "1234");
        EXPECT_EQ(texto("Label90F"), " 1.234");
        EXPECT_EQ(coresDesenhadas().size(), valores("v01").size());

        digita(e, "Edit1", "abc");
        ASSERT_EQ(erros.size(), 1u);
        EXPECT_NE(erros[0].find("abc"), std::string::npos);
        EXPECT_EQ(texto("Label90F"), " 1.234") << "the legend stays as drawn";
        EXPECT_TRUE(visivel("Panel90"));
        EXPECT_EQ(e.findChild<QLineEdit*>("Edit1")->text(), "abc") << "what was typed stays, to be corrected";
    });
    // Closed: the next redraw computes the classes again.
    erros.clear();
    janela->Button1Click();
    EXPECT_NE(texto("Label90F"), " 1.234");
}

} // namespace

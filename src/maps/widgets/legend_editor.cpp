#include "legend_editor.h"

#include "map_window.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace daxo::maps {

namespace {

QLabel* rotulo(QWidget* parent, const QString& name, const QString& text, const QRect& at, const QString& style)
{
    auto* l = new QLabel(text, parent);
    l->setObjectName(name);
    l->setGeometry(at);
    l->setStyleSheet(style);
    return l;
}

const QString kCabecalho = "background: #4AAECE; color: white; font: bold 8pt 'Arial'";

} // namespace

TfrmLegenda::TfrmLegenda(TfrmMapaBrasil& mapa, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint), mapa_(mapa)
{
    setObjectName("frmLegenda");
    setWindowTitle("frmLegenda");
    setFixedSize(284, 358);
    setStyleSheet("QDialog#frmLegenda { background: white }");

    rotulo(this, "Panel2", "Faixas de Valores", QRect(0, 0, 284, 24), kCabecalho)->setAlignment(Qt::AlignCenter);
    auto* Panel5 = new QWidget(this);
    Panel5->setObjectName("Panel5");
    Panel5->setGeometry(0, 25, 284, 20);
    rotulo(Panel5, "Panel3", "Inicial", QRect(0, 0, 112, 20), kCabecalho)->setAlignment(Qt::AlignCenter);
    rotulo(Panel5, "Panel4", "Final", QRect(113, 0, 90, 20), kCabecalho)->setAlignment(Qt::AlignCenter);
    rotulo(Panel5, "Panel6", "Novo*", QRect(204, 0, 80, 20), kCabecalho)->setAlignment(Qt::AlignCenter);

    const QString valor = "color: #4AAECE; font: bold 9pt 'Times New Roman'";
    for (int k = 0; k <= kMaxClasses; ++k) {
        const int y = 48 + k * 26;
        const QString n = QString::number(90 + k);
        Linha& l = linhas_[k];
        l.painel = rotulo(this, "Panel" + n, {}, QRect(4, y, 25, 25), {});
        l.painel->setAutoFillBackground(true);
        l.inicio = rotulo(this, "Label" + n + "I", {}, QRect(31, y, 78, 25), valor);
        l.ate = rotulo(this, "a" + n, "até", QRect(110, y, 24, 25), "color: #4AAECE; font: bold 8pt 'MS Sans Serif'");
        l.fim = rotulo(this, "Label" + n + "F", {}, QRect(134, y, 70, 25), valor);
        l.edit = new QLineEdit(this);
        l.edit->setObjectName("Edit" + QString::number(k));
        l.edit->setGeometry(206, y + 1, 74, 23);
    }
    Label10 = rotulo(this, "Label10", "* Digite os valores com vírgula", QRect(6, 309, 272, 16),
                     "color: #4AAECE; font: bold 8pt 'MS Sans Serif'");
    auto* btAtualiza = new QPushButton("Atualizar", this);
    btAtualiza->setObjectName("btAtualiza");
    btAtualiza->setToolTip("Realiza a atualização no mapa do valor digitado na legenda");
    btAtualiza->setGeometry(60, 328, 80, 25);
    auto* btnFechar = new QPushButton("Fechar", this);
    btnFechar->setObjectName("btnFechar");
    btnFechar->setGeometry(146, 328, 80, 25);
    connect(btAtualiza, &QPushButton::clicked, this, [this] { btAtualizaClick(); });
    connect(btnFechar, &QPushButton::clicked, this, &QDialog::accept);
}

void TfrmLegenda::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    FormShow();
}

void TfrmLegenda::FormShow()
{
    for (int k = 0; k <= kMaxClasses; ++k) {
        const QString n = QString::number(90 + k);
        const Linha& l = linhas_[k];
        const auto copia = [this](QLabel* para, const QString& nome) {
            const auto* de = mapa_.findChild<QLabel*>(nome);
            para->setText(de->text());
            para->setPalette(de->palette());
            para->setVisible(!de->isHidden());
        };
        copia(l.painel, "Panel" + n);
        copia(l.inicio, "Label" + n + "I");
        copia(l.fim, "Label" + n + "F");
        copia(l.ate, "a" + n);
        l.edit->setVisible(!l.ate->isHidden());
        l.edit->setText(l.fim->text());
    }
    Label10->show();
    update();
}

std::array<std::optional<std::string>, kMaxClasses + 1> TfrmLegenda::limites() const
{
    std::array<std::optional<std::string>, kMaxClasses + 1> textos;
    for (std::size_t k = 0; k < linhas_.size(); ++k)
        if (!linhas_[k].edit->isHidden())
            textos[k] = linhas_[k].edit->text().toStdString();
    return textos;
}

// A redraw that failed keeps what the user typed, to be corrected.
void TfrmLegenda::btAtualizaClick()
{
    if (mapa_.Button1Click())
        FormShow();
}

} // namespace daxo::maps

#include "about_window.h"

#include "help_links.h"
#include "look.h"

#include <QFrame>
#include <QLabel>
#include <QPixmap>
#include <QScreen>
#include <QTextEdit>

namespace daxo::app {

namespace {

const char* const kApresentacao =
    "O DAXO é um sistema de consulta a indicadores de gênero calculados a partir dos Censos "
    "Demográficos de 1991 e 2000. Os indicadores cobrem os temas População, Domicílio, Família, "
    "Educação, Trabalho, Renda, Previdência, Deficiência e Migração, e podem ser desagregados por "
    "sexo, cor e grupo de idade, para o Brasil, suas regiões, unidades da federação, "
    "microrregiões e municípios. Os resultados são apresentados em tabelas, gráficos e mapas.";

const char* const kCreditos =
    "Concepção e desenvolvimento: equipe do projeto DAXO.\n"
    "Dados de exemplo: são reais os códigos, nomes, microrregiões e contornos dos municípios "
    "(divisão de 2000) e a população total de cada município em 1991 (lista de 1994) e 2000, "
    "ajustada aos totais nacionais; os demais valores são sintéticos, gerados a partir da renda "
    "per capita e da proporção de pobres reais, e não são resultados dos censos.\n"
    "Fontes: divisão territorial (paulofreitas/geodata-br, ODC PDDL 1.0); malha municipal "
    "(tbrugz/geodata-br, CC0 1.0); população, renda e pobreza (atlas do desenvolvimento humano, "
    "lgelape/modus_2019).";

QLabel* picture(const QString& file, const QRect& place, QWidget* parent)
{
    auto* label = new QLabel(parent);
    label->setGeometry(place);
    label->setPixmap(QPixmap(file).scaled(place.size(), Qt::KeepAspectRatio, Qt::SmoothTransformation));
    label->setAlignment(Qt::AlignCenter);
    return label;
}

} // namespace

TfrmSobre::TfrmSobre(QWidget* parent) : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint)
{
    setObjectName("frmSobre");
    setWindowTitle("Sobre o DAXO");
    setAttribute(Qt::WA_DeleteOnClose);
    setFixedSize(638, 527);
    paintBackground(this, Qt::white);

    auto* panel = new QFrame(this);
    panel->setObjectName("Panel1");
    panel->setGeometry(rect());
    panel->setFrameStyle(QFrame::Panel | QFrame::Raised);
    panel->setLineWidth(2);
    panel->setStyleSheet(QString("QFrame#Panel1 { border: 2px solid %1; }").arg(kAzulClaro.name()));

    picture("icone.png", QRect(24, 22, 64, 64), panel);

    auto* texto = new QTextEdit(panel);
    texto->setObjectName("memoApresentacao");
    texto->setGeometry(110, 18, 504, 150);
    texto->setReadOnly(true);
    texto->setFrameStyle(QFrame::NoFrame);
    texto->setPlainText(QString::fromUtf8(kApresentacao));
    texto->setStyleSheet(QString("color: %1; font-size: 10pt;").arg(kAzulEscuro.name()));

    auto* titulo = new QLabel(QString::fromUtf8("Instituições envolvidas"), panel);
    titulo->setGeometry(24, 190, 590, 22);
    QFont bold = titulo->font();
    bold.setBold(true);
    bold.setPointSize(11);
    titulo->setFont(bold);
    titulo->setStyleSheet(QString("color: %1;").arg(kAzulEscuro.name()));

    auto* creditos = new QLabel(QString::fromUtf8(kCreditos), panel);
    creditos->setObjectName("lblCreditos");
    creditos->setGeometry(24, 216, 590, 120);
    creditos->setWordWrap(true);
    creditos->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    creditos->setStyleSheet("color: grey;");

    picture("logo-DAXO-inf.jpg", QRect(24, 350, 340, 80), panel);
    picture("logo_central.png", QRect(394, 330, 220, 120), panel);

    QLabel* comoConsultar = makeLink(QString::fromUtf8("Como consultar o DAXO"), panel, true);
    comoConsultar->setObjectName("ComoConsultar");
    comoConsultar->setGeometry(24, 470, 250, 22);
    onClick(comoConsultar, [] { abrirAjuda(kPaginaComoConsultar); });

    QLabel* fechar = makeLink("Fechar", panel, false);
    fechar->setObjectName("lblFechar");
    fechar->setGeometry(550, 470, 64, 22);
    fechar->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    onClick(fechar, [this] { close(); });

    move(screen()->availableGeometry().center() - rect().center());
}

// On the release, as the links act: closing on the press would leave a link's
// release without a window.
void TfrmSobre::mouseReleaseEvent(QMouseEvent*)
{
    close();
}

} // namespace daxo::app

#include "app/naming_service_dialog.h"

#include <QLabel>
#include <QPushButton>
#include <QTextBrowser>
#include <QVBoxLayout>

#include "app/appearance.h"

namespace hehun::ui {

namespace {

const char kNamingText[] = R"(<h3 style="color:#a31f22;">起名服务</h3>
<p>名字伴随人的一生。依照传统，取一个好名字通常要从以下几方面通盘考虑：</p>
<p><b>一、五行。</b>先看生辰八字中金、木、水、火、土的旺衰，找出命局所喜的五行，再选用五行属性相合的字来补益平衡，而不是简单地“缺什么补什么”。</p>
<p><b>二、音律。</b>名字要读来顺口、听来响亮：声调平仄相间，避免同声同韵连用，也要留意与姓氏连读时是否产生不雅的谐音。</p>
<p><b>三、字义。</b>所用之字宜含义美好、寓意积极，切合家庭的期望与孩子的性别特点，同时避开生僻字和容易误读、误写的字。</p>
<p><b>四、笔画。</b>传统姓名学以繁体康熙笔画计算天格、人格、地格、外格与总格，参照八十一数理判断吉凶；笔画数也关系到书写是否匀称美观。</p>
<p>我们提供的起名建议，会结合出生时间与家人的心愿逐项斟酌，给出几个可供挑选的名字并说明取义。名字的好坏终究在于用心与寄托，传统方法只是帮助思考的参考。如需这项服务，可通过功能大全页“关于我们”一栏中的联系方式与我们联系。</p>)";

}  // namespace

NamingServiceDialog::NamingServiceDialog(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("TFrmQiming"));
  setWindowTitle(QStringLiteral("起名服务"));
  setFixedSize(480, 500);
  setFont(UiFont(12));

  auto* text = new QTextBrowser(this);
  text->setObjectName(QStringLiteral("MemoQiming"));
  text->setFont(UiFont(13));
  text->setOpenLinks(false);
  text->setHtml(QString::fromUtf8(kNamingText));

  auto* close = new QPushButton(QStringLiteral("关闭"), this);
  close->setObjectName(QStringLiteral("BtnClose"));
  close->setFixedSize(80, 26);
  connect(close, &QPushButton::clicked, this, &QDialog::accept);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(text);
  layout->addWidget(close, 0, Qt::AlignHCenter);
}

}  // namespace hehun::ui

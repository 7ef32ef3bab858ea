#include "official_seal.h"

#include "platform/gbk.h"

using platform::Gbk;
using namespace seal;

namespace bench {

std::unique_ptr<TSeal> MakeOfficialSeal(float pixelsPerMm) {
  auto s = std::make_unique<TSeal>();
  s->SetPixelsPerMm(pixelsPerMm);
  s->SetZoom(100);
  s->SetSealType(stEllipse);
  s->SetRealWidth(42);
  s->SetRealHeight(42);
  s->SetText(Gbk("北京市某某科技发展有限公司"));
  s->SetIsEllipse(true);
  s->SetTextAngle(2200);
  s->SetTextsWidth(33);
  s->SetTextsHeight(33);
  s->SetTextHeight(6);
  s->SetText1(Gbk("合同专用章"));
  s->SetTextsWidth1(20);
  s->SetTextsHeight1(5);
  s->SetTextCenterY1(7);
  s->SetText2(Gbk("二〇二六"));
  s->SetTextsWidth2(14);
  s->SetTextsHeight2(4);
  s->SetTextCenterY2(-9);
  s->SetTextWidth2(2.5f);
  s->SetTextHeight2(3);
  s->SetText3(Gbk("财务专用"));
  s->SetIsEllipse3(true);
  s->SetTopOrDown3(false);
  s->SetTextAngle3(900);
  s->SetTextsWidth3(35);
  s->SetTextsHeight3(35);
  s->SetTextCenterY3(0);
  s->SetCLWidth(24);
  s->SetCLHeight(6);
  s->SetCLineCenterY(7);
  s->SetPenWidth4(0.3f);
  s->SetCode(Gbk("1101080012345"));
  s->SetImageIsStar(true);
  s->SetLineCount(12);
  s->SetLineWidth(0.3f);
  return s;
}

}  // namespace bench

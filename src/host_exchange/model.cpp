// The drawing model's life: its defaults, the release of its tables, and the small steps that every
// filler (the reader, the insertion operations) uses to add an entity.
#include <string>
#include <vector>

#include "JwwGaibu.h"

namespace {

// Gives the memory back, not just the count: the model may be kept after a large exchange.
template <typename T>
void Release(std::vector<T>& table) {
  std::vector<T>().swap(table);
}

}  // namespace

TJGdata::TJGdata() { DataInit(); }

TJGdata::~TJGdata() { DataFree(); }

void TJGdata::DataInit() {
  MojiCode = false;
  Jikukaku = 0.0;
  ZumenFile.clear();
  LGrpScale.fill(1.0);
  ZumenXsize = 1189.0;
  ZumenYsize = 841.0;
  for (int k = Mojisyu.low(); k <= Mojisyu.high(); ++k) Mojisyu[k] = TJwwMojisyu{3.0, 3.0, 0.0, 2};
  Zusun = false;
  AreaX1 = AreaY1 = AreaX2 = AreaY2 = 0.0;

  CurLGrp = 0;
  CurLay = 0;
  CurCol = 1;
  CurLtp = 1;
  CurWid = 0;
  CurMjs = 1;
  CurMjsW = 2.0;
  CurMjsH = 2.0;
  CurMjsD = 0.0;
  CurMjsC = 1;
  CurFont.clear();

  LGrpStat.assign(16, 0);
  LGrpName.assign(16, std::u16string());
  LayStat.assign(256, 0);
  LayName.assign(256, std::u16string());
  IPoints.assign(100, TJwwIndPoint{});
  IPointN = 0;
  WidF = false;

  // The working attributes start as the output side resets them; the per-entity state besides.
  S_Init();
  w_IPNo = 0;
  w_Attr = 0;
  w_CrvNo = 0;
  w_CrvFl = false;
  w_DimFl = false;

  EntSunLine = TJwwEntLine{};
  EntSunLine.att = TJwwEntAttr{0, 0, 0, 1, 1, 0, 0};
  EntSunLine.x2 = 1.0;

  EntN = 0;
  EntNo.clear();
  EntLineN = 0;
  EntLine.clear();
  EntCircN = 0;
  EntCirc.clear();
  EntArcN = 0;
  EntArc.clear();
  EntTextN = 0;
  EntText.clear();
  EntPntN = 0;
  EntPnt.clear();
  EntMarkN = 0;
  EntMark.clear();
  EntDimN = 0;
  EntDim.clear();
  EntBlkN = 0;
  EntBlk.clear();
  EntSld2N = 0;
  EntSld2.clear();
  EntSld3N = 0;
  EntSld3.clear();
  EntSld4N = 0;
  EntSld4.clear();
  EntSldCN = 0;
  EntSldC.clear();
  EntSldEN = 0;
  EntSldE.clear();
  EntSldON = 0;
  EntSldO.clear();
  EntSldGN = 0;
  EntSldG.clear();

  t_MemN = 0;
  t_Mem.clear();
  t_PLineN = 0;
  t_PLine.clear();

  aCol = 0;
  aSCol = 0;
}

// Same-sized tables (IPoints): the assignment reuses this model's storage, so a scratch model that
// takes the host's settings at every keystroke allocates nothing after the first time.
void TJGdata::CopySettingsFrom(const TJGdata& host) { static_cast<TJGsettings&>(*this) = host; }

void TJGdata::DataFree() {
  Release(LGrpStat);
  Release(LGrpName);
  Release(LayStat);
  Release(LayName);
  Release(IPoints);
  Release(EntNo);
  Release(EntLine);
  Release(EntCirc);
  Release(EntArc);
  Release(EntText);
  Release(EntPnt);
  Release(EntMark);
  Release(EntDim);
  Release(EntBlk);
  Release(EntSld2);
  Release(EntSld3);
  Release(EntSld4);
  Release(EntSldC);
  Release(EntSldE);
  Release(EntSldO);
  Release(EntSldG);
  Release(t_Mem);
  Release(t_PLine);
}

void TJGdata::SetEntNo(int32_t a_yn, int32_t a_no) {
  NextSlot(EntNo, EntN) = TJwwEntNo{a_yn, a_no};
}

void TJGdata::SetEntAttr(TJwwEntAttr& at) const {
  at.IPNo = w_IPNo;
  at.LGrp = w_LGrp;
  at.Lay = w_Lay;
  at.Col = w_Col;
  at.Ltp = w_Ltp;
  at.Wid = w_Wid;
  at.Attr = w_Attr;
}

void TJGdata::CopyEntAttr(TJwwEntAttr& a1, const TJwwEntAttr& a2) { a1 = a2; }

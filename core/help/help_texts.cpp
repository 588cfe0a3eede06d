#include "help/help_texts.h"

#include "media/number_texts.h"

namespace tarvo {

namespace {

std::string JoinLines(const std::vector<std::string>& lines) {
  std::string text;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    if (i > 0) text += "\r\n";
    text += lines[i];
  }
  return text;
}

}  // namespace

const std::vector<std::string>& ShortcutsText() {
  static const std::vector<std::string> lines = {
      "* 메인",
      "  단축키\t\t\tF1",
      "  설정창\t\t\tF6",
      "  종료\t\t\tEsc",
      "",
      "* 재생",
      "  선택파일 재생\t\tEnter",
      "  일시정지\t\tSpacebar, Numpad 0",
      "  일시정지 해제\t\tSpacebar, Enter",
      "  중지\t\t\t2x Numpad 0",
      "  다음 곡\t\t\tTab",
      "  이전 곡\t\t\tShift + Tab",
      "  뒤섞기/반복 토글\tF9, 또는 상태바 클릭",
      "  볼륨\t\t\tNumpad + -, drag % sign",
      "  앞뒤로 이동\t\t좌/우 화살표키",
      "  인터넷 방송 녹음\tNumpad *",
      "",
      "* 재생목록",
      "  파일 추가\t\tCtrl + L",
      "  인터넷 방송 주소 추가\tCtrl + R",
      "  음악파일 디렉토리 열기\tF4",
      "  음악파일 디렉토리 추가\tF3",
      "  항목 이동\t\tCtrl + 위/아래키, 마우스로 드래그",
      "  재생목록 불러오기 \tCtrl + O",
      "  재생목록 저장\t\tCtrl + S",
      "  재생목록 표시방법 토글\tF8",
      "  전체 선택\t\tCtrl + A",
      "  목록에서 파일 제거\tDel",
      "  휴지통으로 파일 삭제\tShift + Del",
      "",
      "* 기타",
      "  파일정보\t\t\tF2",
      "  다중 파일명 변경 도구\t\t다중파일 선택 후 F2",
      "  탐색기로 파일위치 열기\t\tCtrl + E",
      "  최소화/복귀\t\t\tF12",
      "  트레이로 최소화\t\t\tF11",
      "  현 목록에서 검색\t\t아무 문자나 입력, Ctrl + F",
      "  조용히 (%30)\t\t\tPause",
      "  마지막 재생폴더 파일 열기\tF5",
      "  대기열/뒤섞기 목록 비우기\tChange playmode",
      "  Tarvo위치를 탐색기로 열기\tCtrl + Alt + E",
      "  윈도우 믹서 초기화\t\tCtrl + space",
      "  전체 재생시간 계산\t\tCtrl + Alt + T",
      "  조금씩 앞뒤로 이동 (0.1 초)\tShift + 좌/우 화살표키",
      "  많이 앞뒤로 이동 (60 초)\t\tCtrl + 좌/우 화살표키",
  };
  return lines;
}

const std::vector<std::string>& CreditText() {
  static const std::vector<std::string> lines = {
      "CREDITS",
      "  Program\t\tThe Tarvo developers",
      "  MP3 decoding\t\tlibmpg123 (the mpg123 project)",
      "  Ogg Vorbis decoding\tlibvorbis (Xiph.Org Foundation)",
      "  WAV reading\t\tlibsndfile (Erik de Castro Lopo and contributors)",
      "  Internet radio\t\tlibcurl (Daniel Stenberg and contributors)",
      "  Sound output\t\tPulseAudio (the PulseAudio developers)",
      "  Windows and controls\tQt 6 (The Qt Company and the Qt Project)",
  };
  return lines;
}

std::string ShortcutsWindowText() { return JoinLines(ShortcutsText()); }

std::string CreditsWindowText(const std::string& programFile, std::int64_t packageBytes) {
  return "GENERAL\r\n  Path: " + programFile + "\r\n  Total package: " + FormatBytesMB(2, packageBytes) +
         " MB\r\n\r\n\r\n" + JoinLines(CreditText());
}

}  // namespace tarvo

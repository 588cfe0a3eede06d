<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="ko">
<context>
    <name>CommandTable</name>
    <message>
        <source>파일 추가(&amp;f)...</source>
        <translation>Add &amp;files...</translation>
    </message>
    <message>
        <source>폴더 열기(&amp;O)...</source>
        <translation>&amp;Open folder...</translation>
    </message>
    <message>
        <source>폴더 추가(&amp;A)...</source>
        <translation>&amp;Add folder...</translation>
    </message>
    <message>
        <source>경로 추가(&amp;u)...</source>
        <translation>Add &amp;URL...</translation>
    </message>
    <message>
        <source>재생목록 열기(&amp;O)...</source>
        <translation>Open &amp;playlist...</translation>
    </message>
    <message>
        <source>재생목록 저장(&amp;S)...</source>
        <translation>&amp;Save playlist...</translation>
    </message>
    <message>
        <source>다른 이름으로 저장...</source>
        <translation>Save as...</translation>
    </message>
    <message>
        <source>종료(&amp;E)</source>
        <translation>&amp;Exit</translation>
    </message>
    <message>
        <source>파일 정보...</source>
        <translation>File info...</translation>
    </message>
    <message>
        <source>목록에서 삭제(&amp;R)</source>
        <translation>&amp;Remove from list</translation>
    </message>
    <message>
        <source>휴지통으로 삭제(&amp;D)...</source>
        <translation>&amp;Delete to trash...</translation>
    </message>
    <message>
        <source>윈도우 탐색기(&amp;E)...</source>
        <translation>&amp;Explore folder...</translation>
    </message>
    <message>
        <source>Tarvo의 위치를 윈도우 탐색기로 열기(&amp;E)</source>
        <translation>Show Tarvo&apos;s fol&amp;der</translation>
    </message>
    <message>
        <source>새로운 파일 체크</source>
        <translation>Check for new files</translation>
    </message>
    <message>
        <source>재생중인 곡 선택(&amp;p)</source>
        <translation>Select &amp;playing track</translation>
    </message>
    <message>
        <source>선택되거나 대기열에 들어간 항목만 남기기(&amp;C)</source>
        <translation>&amp;Crop to selected and queued</translation>
    </message>
    <message>
        <source>목록에서 존재하지 않는 항목 삭제(&amp;m)</source>
        <translation>Remove m&amp;issing entries</translation>
    </message>
    <message>
        <source>목록의 선택항목 잘라내기(&amp;t)</source>
        <translation>C&amp;ut selected entries</translation>
    </message>
    <message>
        <source>목록의 선택항목 복사(&amp;C)</source>
        <translation>C&amp;opy selected entries</translation>
    </message>
    <message>
        <source>목록에 항목 붙여넣기(&amp;P)</source>
        <translation>P&amp;aste entries</translation>
    </message>
    <message>
        <source>목록의 항목 수정(&amp;E)...</source>
        <translation>&amp;Edit entry...</translation>
    </message>
    <message>
        <source>목록 비우기(&amp;C)</source>
        <translation>Clea&amp;r list</translation>
    </message>
    <message>
        <source>뒤섞기/대기열 기록 삭제(&amp;C)</source>
        <translation>Clear shuffle/queue &amp;history</translation>
    </message>
    <message>
        <source>선택된 파일들의 재생시간...</source>
        <translation>Total time of selection...</translation>
    </message>
    <message>
        <source>자동 종료(&amp;t)...</source>
        <translation>Sleep &amp;timer...</translation>
    </message>
    <message>
        <source>검색(&amp;F)...</source>
        <translation>&amp;Find...</translation>
    </message>
    <message>
        <source>재생(&amp;P)</source>
        <translation>&amp;Play</translation>
    </message>
    <message>
        <source>일시 중지(&amp;u)</source>
        <translation>Pa&amp;use</translation>
    </message>
    <message>
        <source>중지(&amp;S)</source>
        <translation>&amp;Stop</translation>
    </message>
    <message>
        <source>녹음(&amp;R)</source>
        <translation>&amp;Record</translation>
    </message>
    <message>
        <source>다음곡(&amp;N)</source>
        <translation>&amp;Next</translation>
    </message>
    <message>
        <source>이전곡(&amp;P)</source>
        <translation>Pre&amp;vious</translation>
    </message>
    <message>
        <source>대기열(&amp;Q)</source>
        <translation>&amp;Queue</translation>
    </message>
    <message>
        <source>즐겨찾기에 목록 저장(&amp;A)...</source>
        <translation>&amp;Add list to favorites...</translation>
    </message>
    <message>
        <source>즐겨찾기 관리(&amp;O)...</source>
        <translation>&amp;Organize favorites...</translation>
    </message>
    <message>
        <source>설정(&amp;S)...</source>
        <translation>&amp;Preferences...</translation>
    </message>
    <message>
        <source>목록 반복(&amp;R)</source>
        <translation>&amp;Repeat playlist</translation>
    </message>
    <message>
        <source>파일 반복(&amp;R)</source>
        <translation>Repeat tr&amp;ack</translation>
    </message>
    <message>
        <source>목록 재생(&amp;P)</source>
        <translation>Play &amp;list</translation>
    </message>
    <message>
        <source>파일 재생(&amp;P)</source>
        <translation>Play &amp;one track</translation>
    </message>
    <message>
        <source>뒤섞기(&amp;S)</source>
        <translation>&amp;Shuffle</translation>
    </message>
    <message>
        <source>다음항목으로 변경(&amp;T)</source>
        <translation>&amp;Toggle play mode</translation>
    </message>
    <message>
        <source>파일 이름 보기(&amp;f)</source>
        <translation>&amp;File names</translation>
    </message>
    <message>
        <source>전체 경로 보기(&amp;p)</source>
        <translation>Full &amp;paths</translation>
    </message>
    <message>
        <source>상대 경로 보기(&amp;r)</source>
        <translation>&amp;Relative paths</translation>
    </message>
    <message>
        <source>목록형태를 차례대로 보기(&amp;T)</source>
        <translation>&amp;Toggle list view</translation>
    </message>
    <message>
        <source>아이콘바</source>
        <translation>Toolbar</translation>
    </message>
    <message>
        <source>진행바</source>
        <translation>Progress bar</translation>
    </message>
    <message>
        <source>음량 표시바 숨기기</source>
        <translation>Hide level meter</translation>
    </message>
    <message>
        <source>6단계 음량 표시바</source>
        <translation>6-step level meter</translation>
    </message>
    <message>
        <source>14단계 음량 표시바</source>
        <translation>14-step level meter</translation>
    </message>
    <message>
        <source>전환(&amp;T)</source>
        <translation>&amp;Toggle</translation>
    </message>
    <message>
        <source>사운드 드라이버 믹서 초기화</source>
        <translation>Reset sound mixer</translation>
    </message>
    <message>
        <source>트레이로 최소화(&amp;M)</source>
        <translation>&amp;Minimize to tray</translation>
    </message>
    <message>
        <source>단축키...</source>
        <translation>Shortcuts...</translation>
    </message>
    <message>
        <source>참고 문서(&amp;D)...</source>
        <translation>&amp;Documentation...</translation>
    </message>
    <message>
        <source>Tarvo에 대해서(&amp;A)...</source>
        <translation>&amp;About Tarvo...</translation>
    </message>
    <message>
        <source>조용히(&amp;S)</source>
        <translation>&amp;Soft mute</translation>
    </message>
    <message>
        <source>파일(&amp;F)</source>
        <translation>&amp;File</translation>
    </message>
    <message>
        <source>편집(&amp;E)</source>
        <translation>&amp;Edit</translation>
    </message>
    <message>
        <source>도구(&amp;T)</source>
        <translation>&amp;Tools</translation>
    </message>
    <message>
        <source>다중 파일 이름 변경(&amp;M)</source>
        <translation>Rename &amp;multiple files</translation>
    </message>
    <message>
        <source>즐겨찾기(&amp;F)</source>
        <translation>F&amp;avorites</translation>
    </message>
    <message>
        <source>옵션(&amp;O)</source>
        <translation>&amp;Options</translation>
    </message>
    <message>
        <source>보기(&amp;V)</source>
        <translation>&amp;View</translation>
    </message>
    <message>
        <source>도움말(&amp;H)</source>
        <translation>&amp;Help</translation>
    </message>
</context>
<context>
    <name>HotkeysPage</name>
    <message>
        <source>설정</source>
        <translation>Set</translation>
    </message>
    <message>
        <source>원하는 키를 클릭하세요.</source>
        <translation>Press the key you want.</translation>
    </message>
    <message>
        <source>기능</source>
        <translation>Function</translation>
    </message>
    <message>
        <source>단축키</source>
        <translation>Hotkey</translation>
    </message>
</context>
<context>
    <name>TAbout_Form</name>
    <message>
        <source>Tarvo 에 대해서...</source>
        <translation>About Tarvo...</translation>
    </message>
    <message>
        <source>Tarvo는 가장 빠른 음악재생 프로그램입니다.</source>
        <translation>Tarvo is the fastest music player.</translation>
    </message>
    <message>
        <source>단축키를 사용해보세요! 좀더 편리해집니다.</source>
        <translation>Try the shortcut keys! They make it easier.</translation>
    </message>
    <message>
        <source>스킨/mp3 태그 등의 불필요한 기능은 배제했습니다.</source>
        <translation>No skins, mp3 tags or other needless extras.</translation>
    </message>
    <message>
        <source>Tarvo는 프리웨어입니다.</source>
        <translation>Tarvo is freeware.</translation>
    </message>
    <message>
        <source>업데이트:</source>
        <translation>Updates:</translation>
    </message>
    <message>
        <source>문의메일:</source>
        <translation>Contact:</translation>
    </message>
    <message>
        <source>제작정보...</source>
        <translation>Credits...</translation>
    </message>
    <message>
        <source>확인(&amp;O)</source>
        <translation>&amp;OK</translation>
    </message>
</context>
<context>
    <name>TDir_Form</name>
    <message>
        <source>하위 폴더도 포함</source>
        <translation>Include subfolders</translation>
    </message>
    <message>
        <source>확인(&amp;O)</source>
        <translation>&amp;OK</translation>
    </message>
    <message>
        <source>취소(&amp;C)</source>
        <translation>&amp;Cancel</translation>
    </message>
    <message>
        <source>열기(&amp;O)</source>
        <translation>&amp;Open</translation>
    </message>
    <message>
        <source>다시 읽기(&amp;R)</source>
        <translation>&amp;Reload</translation>
    </message>
    <message>
        <source>폴더 목록 열기(&amp;D)</source>
        <translation>Open &amp;drive list</translation>
    </message>
    <message>
        <source>윈도우 탐색기로 열기(&amp;E)...</source>
        <translation>&amp;Explore...</translation>
    </message>
    <message>
        <source>재생목록에 추가</source>
        <translation>Add to playlist</translation>
    </message>
</context>
<context>
    <name>TFavorites_Form</name>
    <message>
        <source>팁 : 제목앞에 숫자를 붙이면 정렬할 수 있습니다.</source>
        <translation>Tip: a number before a title sorts it.</translation>
    </message>
    <message>
        <source>즐겨찾기 관리</source>
        <translation>Organize favorites</translation>
    </message>
    <message>
        <source>이름변경(&amp;R)</source>
        <translation>&amp;Rename</translation>
    </message>
    <message>
        <source>삭제(&amp;D)</source>
        <translation>&amp;Delete</translation>
    </message>
    <message>
        <source>탐색기(&amp;E)...</source>
        <translation>&amp;Explore...</translation>
    </message>
    <message>
        <source>목록갱신(&amp;R)</source>
        <translation>Re&amp;fresh</translation>
    </message>
    <message>
        <source>닫기(&amp;C)</source>
        <translation>&amp;Close</translation>
    </message>
</context>
<context>
    <name>TFileInfo_Form</name>
    <message>
        <source>확인(&amp;O)</source>
        <translation>&amp;OK</translation>
    </message>
    <message>
        <source>태그(&amp;T)...</source>
        <translation>&amp;Tag...</translation>
    </message>
    <message>
        <source>단일 파일 이름변경</source>
        <translation>Rename file</translation>
    </message>
    <message>
        <source>취소(&amp;C)</source>
        <translation>&amp;Cancel</translation>
    </message>
    <message>
        <source>이름 변경 파일:</source>
        <translation>File to rename:</translation>
    </message>
</context>
<context>
    <name>TFind_Form</name>
    <message>
        <source>확인(&amp;O)</source>
        <translation>&amp;OK</translation>
    </message>
    <message>
        <source>취소(&amp;C)</source>
        <translation>&amp;Cancel</translation>
    </message>
    <message>
        <source>현 목록에서 파일 찾기</source>
        <translation>Find in playlist</translation>
    </message>
    <message>
        <source>선택항목 재생(&amp;P)</source>
        <translation>&amp;Play selected</translation>
    </message>
    <message>
        <source>선택항목 대기열로(&amp;Q)</source>
        <translation>&amp;Queue selected</translation>
    </message>
    <message>
        <source>목록안의 항목 선택</source>
        <translation>Select in playlist</translation>
    </message>
    <message>
        <source>보기 형식 변경(&amp;v)</source>
        <translation>Change &amp;view</translation>
    </message>
</context>
<context>
    <name>TInfo_Form</name>
    <message>
        <source>확인(&amp;O)</source>
        <translation>&amp;OK</translation>
    </message>
    <message>
        <source>전체 선택(&amp;A)</source>
        <translation>Select &amp;all</translation>
    </message>
</context>
<context>
    <name>TInput_Form</name>
    <message>
        <source>확인(&amp;O)</source>
        <translation>&amp;OK</translation>
    </message>
    <message>
        <source>취소(&amp;C)</source>
        <translation>&amp;Cancel</translation>
    </message>
</context>
<context>
    <name>TPreferences_Form</name>
    <message>
        <source>설정</source>
        <translation>Preferences</translation>
    </message>
    <message>
        <source>닫기(&amp;C)</source>
        <translation>&amp;Close</translation>
    </message>
    <message>
        <source>일반설정</source>
        <translation>General</translation>
    </message>
    <message>
        <source>Tarvo로 실행할 파일</source>
        <translation>Files to open with Tarvo</translation>
    </message>
    <message>
        <source>탐색기에서 더블클릭시의 동작</source>
        <translation>On a double click in the file manager</translation>
    </message>
    <message>
        <source>빈 목록으로 재생</source>
        <translation>Play in an empty list</translation>
    </message>
    <message>
        <source>기존목록에 파일추가</source>
        <translation>Add to the current list</translation>
    </message>
    <message>
        <source>대상 폴더를 열고 재생(기본값)</source>
        <translation>Open its folder and play (default)</translation>
    </message>
    <message>
        <source>업데이트 확인</source>
        <translation>Check for updates</translation>
    </message>
    <message>
        <source>다중실행 허용</source>
        <translation>Allow several instances</translation>
    </message>
    <message>
        <source>미디어 폴더 관리</source>
        <translation>Media folders</translation>
    </message>
    <message>
        <source>음악 폴더</source>
        <translation>Music folders</translation>
    </message>
    <message>
        <source>추가(&amp;A)</source>
        <translation>&amp;Add</translation>
    </message>
    <message>
        <source>삭제(&amp;D)</source>
        <translation>&amp;Delete</translation>
    </message>
    <message>
        <source>파일 추가시 자동으로 정렬</source>
        <translation>Sort files as they are added</translation>
    </message>
    <message>
        <source>파일 이름순으로</source>
        <translation>By file name</translation>
    </message>
    <message>
        <source>경로와 파일이름순으로(기본)</source>
        <translation>By path and file name (default)</translation>
    </message>
    <message>
        <source>화면표시</source>
        <translation>Display</translation>
    </message>
    <message>
        <source>음량 표시바 설정</source>
        <translation>Level meter steps</translation>
    </message>
    <message>
        <source>숨기기</source>
        <translation>Hidden</translation>
    </message>
    <message>
        <source>7단계</source>
        <translation>7</translation>
    </message>
    <message>
        <source>14 단계</source>
        <translation>14</translation>
    </message>
    <message>
        <source>글로벌 단축키</source>
        <translation>Global hotkeys</translation>
    </message>
    <message>
        <source>녹음</source>
        <translation>Recording</translation>
    </message>
    <message>
        <source>인터넷 방송 녹음을 위한 임시디렉토리 경로:</source>
        <translation>Temporary folder for recording radio:</translation>
    </message>
    <message>
        <source>녹음 캐쉬기능 사용</source>
        <translation>Use the pre-record cache</translation>
    </message>
    <message>
        <source>초</source>
        <translation>s</translation>
    </message>
    <message>
        <source>장치</source>
        <translation>Device</translation>
    </message>
    <message>
        <source>출력장치:</source>
        <translation>Output device:</translation>
    </message>
</context>
<context>
    <name>TProgressPanel</name>
    <message>
        <source>숫자패드의 +, - 키로 음량을 조절합니다. Pause 키는 조용히(소프트 뮤트)입니다.</source>
        <translation>The + and - keys of the number pad set the volume. The Pause key is soft mute.</translation>
    </message>
</context>
<context>
    <name>TRadio_Form</name>
    <message>
        <source>정보</source>
        <translation>Information</translation>
    </message>
</context>
<context>
    <name>TReplaceFilenames_Form</name>
    <message>
        <source>전체 변경(&amp;R)</source>
        <translation>&amp;Rename all</translation>
    </message>
    <message>
        <source>다중 파일 이름 변경</source>
        <translation>Rename multiple files</translation>
    </message>
    <message>
        <source>닫기(&amp;C)</source>
        <translation>&amp;Close</translation>
    </message>
    <message>
        <source>팁</source>
        <translation>Tip</translation>
    </message>
    <message>
        <source>대상 단어:</source>
        <translation>Find:</translation>
    </message>
    <message>
        <source>바꿀 단어:</source>
        <translation>Replace with:</translation>
    </message>
    <message>
        <source>대상 단어를 찾아 바꿀 단어로 바꿉니다 (대소문자 무시).</source>
        <translation>Replaces the word found by the new word (ignoring case).</translation>
    </message>
    <message>
        <source>대상 단어가 비어 있으면 바꿀 단어를 이름 앞에 붙입니다.</source>
        <translation>With no word to find, the new word goes before the name.</translation>
    </message>
    <message>
        <source>미리보기:</source>
        <translation>Preview:</translation>
    </message>
</context>
<context>
    <name>TTimer_Form</name>
    <message>
        <source>Tarvo 종료시 컴퓨터 종료 실행(&amp;S)</source>
        <translation>Shut &amp;down the computer when Tarvo ends</translation>
    </message>
    <message>
        <source>시작(&amp;S)</source>
        <translation>&amp;Start</translation>
    </message>
    <message>
        <source>자동 종료 기능</source>
        <translation>Sleep timer</translation>
    </message>
    <message>
        <source>몇분후에 Tarvo를 종료할까요?</source>
        <translation>Close Tarvo after how many minutes?</translation>
    </message>
</context>
<context>
    <name>TrayIcon</name>
    <message>
        <source>재생(&amp;P)</source>
        <translation>&amp;Play</translation>
    </message>
    <message>
        <source>일시정지(&amp;u)</source>
        <translation>Pa&amp;use</translation>
    </message>
    <message>
        <source>중지(&amp;S)</source>
        <translation>&amp;Stop</translation>
    </message>
    <message>
        <source>다음곡(&amp;N)</source>
        <translation>&amp;Next</translation>
    </message>
    <message>
        <source>이전곡</source>
        <translation>Previous</translation>
    </message>
    <message>
        <source>제목 복사(&amp;C)</source>
        <translation>&amp;Copy title</translation>
    </message>
    <message>
        <source>열기(&amp;O)</source>
        <translation>&amp;Open</translation>
    </message>
    <message>
        <source>종료(&amp;E)</source>
        <translation>&amp;Exit</translation>
    </message>
</context>
</TS>

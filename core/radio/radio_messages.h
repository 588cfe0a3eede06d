// Every text the radio floor shows the user in its recording and add-station
// commands: messages, questions, captions and status texts, in one place.
// "\r" breaks a line.
#pragma once

#include <string>
#include <string_view>

namespace tarvo::radio_messages {

// A station's state in status panel 3 and the tray hint.
inline constexpr char kLostConnectionText[] = "Error: Lost connection";
inline constexpr char kReconnectingText[] = "Reconnecting...";
inline std::string ConnectingText(std::string_view address) { return "Connecting " + std::string(address) + "..."; }
// The tray hint's start while the connection is lost, before the entry's title.
inline constexpr char kLostConnectionHint[] = "Lost connection - ";

// Adding a station.
inline constexpr char kAddUrlCaption[] = "Add URL";
inline constexpr char kAddUrlPrompt[] = "Internet radio URL:";
inline constexpr char kNotAValidUrl[] = "Not a valid URL";
inline constexpr char kCouldNotConnect[] = "Could not connect to URL.";

// Recording.
inline constexpr char kOnlyInternetRadio[] = "You can only record internet radio.\rPlease connect to one first.";
inline constexpr char kFirstPlayAStream[] = "First play a stream.";
inline constexpr char kStartRecording[] = "Start recording?";
inline constexpr char kStopRecordingCaption[] = "Stop &recording";
inline constexpr char kRecordCaption[] = "&Record";
inline constexpr char kSaveRecord[] = "Record has been stopped.\rSave record?";
inline constexpr char kWritingWaveFile[] = "Writing wave file...";
inline constexpr char kSaveFailed[] =
    "Sorry, error while saving and combining files.\rTemp files are not deleted! Use a sound editor to combine "
    "the temp files.\r(raw uncompressed 44.1/16 bit wave data without a header)\r\rPlease report this error and "
    "what you were doing.";
inline constexpr char kStoppedAtSizeLimit[] = "Recording stopped, a wave file can't hold more than 4 GB.";
inline constexpr char kStoppedOnWriteError[] = "Recording stopped, the temporary file can't be written.";
inline constexpr char kStoppedDriveFull[] = "Recording stopped, drive is almost full.";

inline std::string TempFolderUnusable(std::string_view folder) {
  return "Can't record: the folder for temporary files can't be used.\r" + std::string(folder);
}

inline std::string SavedTo(std::string_view path) { return "Stream succesfully saved to\r" + std::string(path); }

// `left` is "h:mm (N MB)".
inline std::string RecordingLeft(std::string_view left) { return "Recording... Left: " + std::string(left); }

}  // namespace tarvo::radio_messages

// The system's MPEG decoder filters, switched on and off with the system's registrar around
// graph building. Whether a decoder is registered is kept by the system, not by the program.
#pragma once

#include <string>

// Decoder files in the Windows system directory, appended to it as written.
inline constexpr char kVideoDecoderFile[] = "\\Ravonim.dll";
inline constexpr char kSecondaryDecoderFile[] = "\\Ravosec.ax";
inline constexpr char kAudioDecoderFile[] = "\\Ravolit.dll";

// Registrar switches: quiet registration and quiet unregistration.
inline constexpr char kRegisterSwitches[] = " /s ";
inline constexpr char kUnregisterSwitches[] = " /s /u ";

// The registrar's command line: systemDirectory + "\regsvr32.exe", the switches, then
// systemDirectory + decoderFile.
std::string RegistrarCommandLine(const std::string& systemDirectory, const char* decoderFile,
                                 const char* switches);

// Starts commandLine at high priority without a window of its own and without waiting for it.
bool RunHidden(const char* commandLine);

// Around a DVD graph: the secondary decoder off and the audio decoder on, returning once both
// registrar runs have ended (ten seconds at the most); and the audio decoder off again
// afterwards, without waiting.
void PrepareDvdDecoderFiles();
void ReleaseDvdDecoderFiles();

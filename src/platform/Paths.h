// Taking a path apart at its last delimiter ('\', '/' or the drive's ':'), and folding the case of
// names the system spells in ASCII; pure.
#pragma once
#include <string>

// The folder part with its trailing delimiter; empty when the path has none.
std::string FolderPart(const std::string& path);
// The last path component.
std::string LastComponent(const std::string& path);
// The last component's extension with its dot; empty when it has none.
std::string ExtensionOf(const std::string& path);
// A..Z lowered, every other byte as it is: for names and words the system writes in ASCII.
std::string AsciiLower(std::string text);

// Form storage: a tree of components with their published properties as a
// readable text.
//
//   object Form1: TComponent
//     object Point1: TSpectrumPoint
//       SensorUnits = 'mm/s'
//       Length = 1024
//       SampleTime = 0.5
//       Active = True
//       Dirty = False
//     end
//     object Spectrum1: TFFTAnalysis
//       MPoint = Point1
//       Window = wtHanning
//     end
//   end
//
// An object line names the component and its class ("object TClass" for an
// unnamed one); its properties follow in declaration order, then the
// components it owns, in ownership order. Properties equal to their storage
// default are left out. Values: Integer and Single as decimal numbers (Single
// in the shortest text that reads back to the same float; NaN, Inf, -Inf),
// Boolean True/False, strings in single quotes with '' for a quote and #N for
// a control character ('a'#13#10'b'), enumerations by value name, component
// references as the dotted path of names below the root (nil for none; the
// root by its own name). Indentation is for the reader's eye only.
#pragma once

#include <iosfwd>
#include <string>

#include "vandrel/platform/ClassRegistry.h"
#include "vandrel/platform/FileStream.h"

namespace vandrel {

class TComponent;

// A form that cannot be read (an EReadError, as any failed read). Line() is
// the 1-based line at fault; the message reads "Line N: reason" (prefixed
// with the file name when reading a file).
class EParserError : public EReadError {
 public:
  EParserError(const std::string& Msg, int ALine) : EReadError(Msg), FLine(ALine) {}
  int Line() const { return FLine; }

 private:
  int FLine;
};

// A component tree that cannot be stored (a reference to a component outside
// the tree or without a name) raises EWriteError with the reason.

// The form text of Root and every component it owns. Raises EWriteError.
std::string ComponentToString(const TComponent& Root);
// Writes ComponentToString(Root) to Stream.
void WriteComponent(std::ostream& Stream, const TComponent& Root);
// Writes the form to FileName, replacing it; nothing is written when the tree
// cannot be stored. Raises EWriteError, or EInOutError when the file fails.
void WriteComponentFile(const std::string& FileName, const TComponent& Root);

// Creates the stored component tree through the class registry; the root is
// owned by AOwner (null: by the caller). Properties are set in stored order,
// component references after every other property of the form, then each
// created component's Loaded() runs, in creation order. A malformed form
// raises EParserError and leaves nothing created.
TComponent* StringToComponent(const std::string& Text, TComponent* AOwner);
TComponent* ReadComponent(std::istream& Stream, TComponent* AOwner);
// Raises EInOutError when the file cannot be read.
TComponent* ReadComponentFile(const std::string& FileName, TComponent* AOwner);

// Reads a form into an existing Root, whose class must be the stored one;
// the stored owned components are created under Root. Syntax, class, property
// and value errors are found before Root is touched; when a setter or a name
// fails while building, the components created so far are destroyed (Root
// keeps the properties already set) and EParserError is raised.
void ReadRootComponent(const std::string& Text, TComponent& Root);

}  // namespace vandrel

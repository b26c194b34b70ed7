#pragma once
// The file traffic of one run, in order: which files it tested, read, deleted
// and replaced, and the bytes of every replacement. Recorded from a run of the
// real program and replayed by the floor program, which does the same traffic
// without compiling anything.

#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "io/folder.h"

namespace scenario::bench {

struct Operazione {
  // A replacement is kSostituisce when its new file was flushed before it
  // took its name, kSostituisceTransitorio when not (a text the run deletes).
  enum Tipo : char { kEsiste = 'E', kLegge = 'R', kElimina = 'D', kSostituisce = 'W', kSostituisceTransitorio = 'T' };
  Tipo tipo;
  std::string nome;
  std::string bytes;  // the new content, for a replacement only
  bool sostituzione() const { return tipo == kSostituisce || tipo == kSostituisceTransitorio; }
};

// Passes every call on to `interna` and notes the traffic as operations. A
// replace (scratch created, written, flushed, renamed) is noted once, as the
// replacement of the final name with the bytes the scratch received, and
// whether they were flushed.
class CartellaRegistrata : public Folder {
public:
  explicit CartellaRegistrata(Folder& interna) : interna_(interna) {}

  bool exists(const std::string& name) override;
  std::string read(const std::string& name) override;
  void remove(const std::string& name) override;
  void create(const std::string& name) override;
  void write(const std::string& name, std::string_view bytes) override;
  void flush(const std::string& name) override;
  void rename(const std::string& from, const std::string& to) override;
  // The older files kept while a set is renamed are the folder layer's own
  // bookkeeping: passed on, not noted (nor their removal).
  void keep_copy(const std::string& name, const std::string& copy) override { interna_.keep_copy(name, copy); }

  const std::vector<Operazione>& operazioni() const { return operazioni_; }

private:
  Folder& interna_;
  struct InScrittura {
    std::string bytes;
    bool flushed = false;
  };
  std::map<std::string, InScrittura> in_scrittura_;
  std::vector<Operazione> operazioni_;
};

// The trace as bytes: per operation its kind (one byte), the name length
// (4 bytes, little-endian), the name, and for a replacement the content
// length (8 bytes, little-endian) and the content.
std::string codifica(const std::vector<Operazione>& operazioni);

// One operation read in place from an encoded trace.
struct OperazioneVista {
  Operazione::Tipo tipo;
  std::string_view nome;
  std::string_view bytes;
};
std::vector<OperazioneVista> decodifica(std::string_view traccia);

// Does the traffic of the trace in `folder`: the same tests, reads, deletions
// and crash-safe replacements (flushed where the run flushed), in the same
// order. Answers the bytes read, so
// that the reads cannot be left out.
size_t riproduci(const std::vector<OperazioneVista>& operazioni, Folder& folder);

}  // namespace scenario::bench

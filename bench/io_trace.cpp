#include "bench/io_trace.h"

#include <stdexcept>

namespace scenario::bench {

bool CartellaRegistrata::exists(const std::string& name) {
  // A scratch or backup name tried is the folder layer's own: its replay does it again.
  if (is_scratch_name(name)) return interna_.exists(name);
  operazioni_.push_back({Operazione::kEsiste, name, {}});
  return interna_.exists(name);
}

std::string CartellaRegistrata::read(const std::string& name) {
  operazioni_.push_back({Operazione::kLegge, name, {}});
  return interna_.read(name);
}

void CartellaRegistrata::remove(const std::string& name) {
  if (is_scratch_name(name)) return interna_.remove(name);  // a kept older file
  operazioni_.push_back({Operazione::kElimina, name, {}});
  interna_.remove(name);
}

void CartellaRegistrata::create(const std::string& name) {
  in_scrittura_[name] = {};
  interna_.create(name);
}

void CartellaRegistrata::write(const std::string& name, std::string_view bytes) {
  in_scrittura_[name].bytes.append(bytes);
  interna_.write(name, bytes);
}

void CartellaRegistrata::flush(const std::string& name) {
  in_scrittura_[name].flushed = true;
  interna_.flush(name);
}

void CartellaRegistrata::rename(const std::string& from, const std::string& to) {
  interna_.rename(from, to);
  auto it = in_scrittura_.find(from);
  if (it == in_scrittura_.end()) throw std::logic_error("renamed a file this run did not write: " + from);
  const Operazione::Tipo tipo = it->second.flushed ? Operazione::kSostituisce : Operazione::kSostituisceTransitorio;
  operazioni_.push_back({tipo, to, std::move(it->second.bytes)});
  in_scrittura_.erase(it);
}

namespace {

void intero(std::string& out, uint64_t v, int n) {
  for (int i = 0; i < n; ++i) out += char((v >> (8 * i)) & 0xFF);
}

uint64_t leggi_intero(std::string_view& in, int n) {
  if (in.size() < size_t(n)) throw std::runtime_error("trace cut short");
  uint64_t v = 0;
  for (int i = 0; i < n; ++i) v |= uint64_t(static_cast<unsigned char>(in[size_t(i)])) << (8 * i);
  in.remove_prefix(size_t(n));
  return v;
}

std::string_view leggi_pezzo(std::string_view& in, uint64_t n) {
  if (in.size() < n) throw std::runtime_error("trace cut short");
  std::string_view pezzo = in.substr(0, n);
  in.remove_prefix(n);
  return pezzo;
}

}  // namespace

std::string codifica(const std::vector<Operazione>& operazioni) {
  std::string out;
  for (const Operazione& op : operazioni) {
    out += char(op.tipo);
    intero(out, op.nome.size(), 4);
    out += op.nome;
    if (op.sostituzione()) {
      intero(out, op.bytes.size(), 8);
      out += op.bytes;
    }
  }
  return out;
}

std::vector<OperazioneVista> decodifica(std::string_view traccia) {
  std::vector<OperazioneVista> out;
  while (!traccia.empty()) {
    OperazioneVista op{};
    char tipo = traccia.front();
    traccia.remove_prefix(1);
    if (tipo != Operazione::kEsiste && tipo != Operazione::kLegge && tipo != Operazione::kElimina &&
        tipo != Operazione::kSostituisce && tipo != Operazione::kSostituisceTransitorio)
      throw std::runtime_error("unknown operation in trace");
    op.tipo = static_cast<Operazione::Tipo>(tipo);
    op.nome = leggi_pezzo(traccia, leggi_intero(traccia, 4));
    if (op.tipo == Operazione::kSostituisce || op.tipo == Operazione::kSostituisceTransitorio)
      op.bytes = leggi_pezzo(traccia, leggi_intero(traccia, 8));
    out.push_back(op);
  }
  return out;
}

size_t riproduci(const std::vector<OperazioneVista>& operazioni, Folder& folder) {
  size_t letti = 0;
  for (const OperazioneVista& op : operazioni) {
    const std::string nome(op.nome);
    switch (op.tipo) {
      case Operazione::kEsiste: letti += folder.exists(nome) ? 1 : 0; break;
      case Operazione::kLegge: letti += folder.read(nome).size(); break;
      case Operazione::kElimina: folder.remove(nome); break;
      case Operazione::kSostituisce: replace_file(folder, nome, op.bytes); break;
      case Operazione::kSostituisceTransitorio: replace_file(folder, nome, op.bytes, Durability::kTransient); break;
    }
  }
  return letti;
}

}  // namespace scenario::bench

#include "GltfFile.h"

#include "platform/PngFile.h"

#include <tiny_gltf.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>
#include <limits>
#include <sstream>

namespace {

// The editor's (x, y, z) in glTF's axes: (x, z, -y).
void ToGltf(const float *In, float *Out, float Scale) {
  Out[0] = In[0] * Scale;
  Out[1] = In[2] * Scale;
  Out[2] = -In[1] * Scale;
}

class TGltfBuilder {
public:
  explicit TGltfBuilder(double CellMm) : FMetres(float(CellMm / 1000)), FCellMm(CellMm) {
    Model.asset.version = "2.0";
    Model.asset.generator = "Stavemont";
    Model.buffers.emplace_back();
    Model.scenes.emplace_back();
    Model.defaultScene = 0;
  }

  tinygltf::Model Model;

  // Appends Bytes to the one buffer as a view of its own, 4-byte aligned.
  int View(const void *Bytes, size_t Size, int Target) {
    std::vector<unsigned char> &Data = Model.buffers[0].data;
    Data.resize((Data.size() + 3) / 4 * 4);
    tinygltf::BufferView View;
    View.buffer = 0;
    View.byteOffset = Data.size();
    View.byteLength = Size;
    View.target = Target;
    const auto *First = static_cast<const unsigned char *>(Bytes);
    Data.insert(Data.end(), First, First + Size);
    Model.bufferViews.push_back(View);
    return int(Model.bufferViews.size()) - 1;
  }

  int FloatAccessor(const std::vector<float> &Values, int Components, bool Bounds) {
    tinygltf::Accessor A;
    A.bufferView = View(Values.data(), Values.size() * sizeof(float), TINYGLTF_TARGET_ARRAY_BUFFER);
    A.componentType = TINYGLTF_COMPONENT_TYPE_FLOAT;
    A.count = Values.size() / size_t(Components);
    A.type = Components == 3 ? TINYGLTF_TYPE_VEC3 : TINYGLTF_TYPE_VEC2;
    if (Bounds) { // positions must say their bounds
      A.minValues.assign(size_t(Components), std::numeric_limits<double>::max());
      A.maxValues.assign(size_t(Components), std::numeric_limits<double>::lowest());
      for (size_t I = 0; I < Values.size(); ++I) {
        const size_t C = I % size_t(Components);
        A.minValues[C] = std::min(A.minValues[C], double(Values[I]));
        A.maxValues[C] = std::max(A.maxValues[C], double(Values[I]));
      }
    }
    Model.accessors.push_back(A);
    return int(Model.accessors.size()) - 1;
  }

  int IndexAccessor(const std::vector<uint32_t> &Indices) {
    tinygltf::Accessor A;
    A.bufferView =
        View(Indices.data(), Indices.size() * sizeof(uint32_t), TINYGLTF_TARGET_ELEMENT_ARRAY_BUFFER);
    A.componentType = TINYGLTF_COMPONENT_TYPE_UNSIGNED_INT;
    A.count = Indices.size();
    A.type = TINYGLTF_TYPE_SCALAR;
    Model.accessors.push_back(A);
    return int(Model.accessors.size()) - 1;
  }

  bool AddTextures(const std::vector<TExportTexture> &Textures, std::string &Error) {
    if (!Textures.empty()) {
      tinygltf::Sampler Sampler; // the kits' own: repeated, smoothed, with mipmaps
      Sampler.magFilter = TINYGLTF_TEXTURE_FILTER_LINEAR;
      Sampler.minFilter = TINYGLTF_TEXTURE_FILTER_LINEAR_MIPMAP_LINEAR;
      Model.samplers.push_back(Sampler);
    }
    for (const TExportTexture &T : Textures) {
      // The kits draw textures unblended: their alpha is never seen, and
      // other programs would take it for see-through.
      std::vector<uint8_t> Rgb(size_t(T.Width) * T.Height * 3);
      for (size_t P = 0; P < size_t(T.Width) * T.Height; ++P)
        std::copy_n(&T.Rgba[P * 4], 3, &Rgb[P * 3]);
      const std::vector<uint8_t> Png = RgbPngBytes(T.Width, T.Height, Rgb.data(), Error);
      if (Png.empty())
        return false;
      tinygltf::Image Image;
      Image.mimeType = "image/png";
      Image.bufferView = View(Png.data(), Png.size(), 0);
      Model.images.push_back(Image);
      tinygltf::Texture Texture;
      Texture.source = int(Model.images.size()) - 1;
      Texture.sampler = 0;
      Model.textures.push_back(Texture);
    }
    return true;
  }

  int Material(const uint8_t *Colour, int Texture) {
    for (size_t M = 0; M < FMaterials.size(); ++M)
      if (std::memcmp(FMaterials[M].first.data(), Colour, 4) == 0 && FMaterials[M].second == Texture)
        return int(M);
    tinygltf::Material Material;
    Material.pbrMetallicRoughness.baseColorFactor = {Colour[0] / 255.0, Colour[1] / 255.0,
                                                     Colour[2] / 255.0, Colour[3] / 255.0};
    Material.pbrMetallicRoughness.metallicFactor = 0;
    Material.pbrMetallicRoughness.roughnessFactor = 0.6;
    Material.pbrMetallicRoughness.baseColorTexture.index = Texture;
    Material.doubleSided = true; // kits draw thin parts with one face
    Model.materials.push_back(Material);
    FMaterials.push_back({{Colour[0], Colour[1], Colour[2], Colour[3]}, Texture});
    return int(Model.materials.size()) - 1;
  }

  void AddMesh(const TExportMesh &Mesh) {
    tinygltf::Mesh Out;
    Out.name = Mesh.Name;
    for (const TExportPart &Part : Mesh.Parts) {
      if (Part.Indices.empty())
        continue;
      std::vector<float> Positions(Part.Positions.size()), Normals(Part.Normals.size());
      for (size_t V = 0; V + 2 < Part.Positions.size(); V += 3) {
        ToGltf(&Part.Positions[V], &Positions[V], FMetres);
        ToGltf(&Part.Normals[V], &Normals[V], 1);
        Normalize(&Normals[V]);
      }
      tinygltf::Primitive P;
      P.mode = TINYGLTF_MODE_TRIANGLES;
      P.attributes["POSITION"] = FloatAccessor(Positions, 3, true);
      P.attributes["NORMAL"] = FloatAccessor(Normals, 3, false);
      if (Part.Texture >= 0)
        P.attributes["TEXCOORD_0"] = FloatAccessor(Part.TexCoords, 2, false);
      P.indices = IndexAccessor(Part.Indices);
      P.material = Material(Part.Colour, Part.Texture);
      Out.primitives.push_back(P);
    }
    Model.meshes.push_back(Out);
  }

  void AddNode(const std::string &Name, int Mesh, int X, int Y, int Z) {
    tinygltf::Node Node;
    Node.name = Name;
    Node.mesh = Mesh;
    // In double: a node's place is exact to the millimetre however far out.
    const double Metres = FCellMm / 1000;
    if (X != 0 || Y != 0 || Z != 0)
      Node.translation = {X * Metres, Z * Metres, Y == 0 ? 0.0 : -Y * Metres};
    Model.nodes.push_back(Node);
    Model.scenes[0].nodes.push_back(int(Model.nodes.size()) - 1);
  }

  // The plate: the base's top, one quad facing up in the base colour.
  void AddBase(const TExportModel &M) {
    TExportMesh Plate;
    Plate.Name = "Base";
    Plate.Parts.push_back(PlateTop(M));
    AddMesh(Plate);
    AddNode("Base", int(Model.meshes.size()) - 1, 0, 0, 0);
  }

private:
  float FMetres; // a cell's edge
  double FCellMm;
  std::vector<std::pair<std::array<uint8_t, 4>, int>> FMaterials;

  static void Normalize(float *N) {
    const float Length = std::sqrt(N[0] * N[0] + N[1] * N[1] + N[2] * N[2]);
    if (Length > 0)
      for (int I = 0; I < 3; ++I)
        N[I] /= Length;
    else
      N[0] = 0, N[1] = 1, N[2] = 0; // a degenerate normal still has to be a unit one
  }
};

} // namespace

std::vector<uint8_t> GlbBytes(const TExportModel &Model, double CellMm, std::string &Error) {
  TGltfBuilder Builder(CellMm);
  if (!Builder.AddTextures(Model.Textures, Error))
    return {};
  Builder.AddBase(Model);
  const int FirstPieceMesh = int(Builder.Model.meshes.size());
  for (const TExportMesh &Mesh : Model.Meshes)
    Builder.AddMesh(Mesh);
  for (const TExportNode &Node : Model.Nodes)
    Builder.AddNode(Node.Name, FirstPieceMesh + Node.Mesh, Node.X, Node.Y, Node.Z);
  Builder.Model.buffers[0].data.resize((Builder.Model.buffers[0].data.size() + 3) / 4 * 4);
  std::ostringstream Out;
  tinygltf::TinyGLTF Writer;
  if (!Writer.WriteGltfSceneToStream(&Builder.Model, Out, false, true)) {
    Error = "the glTF writer refused the model";
    return {};
  }
  const std::string Bytes = Out.str();
  return {Bytes.begin(), Bytes.end()};
}

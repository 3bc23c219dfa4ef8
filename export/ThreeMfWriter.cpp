// The package is written by lib3mf (lib3mf-dev, 1.8): its C interface takes
// a mesh object, the model's unit and a build item and writes the whole
// package (the model part, relationships and content types) to a buffer.
#include "export/ThreeMfWriter.h"

#include <Model/COM/NMR_DLLInterfaces.h>

#include <string>
#include <vector>

#include "export/ExportErrors.h"

namespace polygrav {

namespace {

// Releases a lib3mf object when the writer is done with it.
class Owned {
  public:
    Owned() = default;
    Owned(const Owned&) = delete;
    Owned& operator=(const Owned&) = delete;
    ~Owned() {
        if (object_) NMR::lib3mf_release(object_);
    }
    NMR::PLib3MFBase** out() { return &object_; }
    NMR::PLib3MFBase* get() const { return object_; }

  private:
    NMR::PLib3MFBase* object_ = nullptr;
};

void Require(LIB3MFRESULT result) {
    if (result != LIB3MF_OK) {
        throw EExportError({MessageId::CannotWrite3mf, {std::to_string(result)}});
    }
}

}  // namespace

std::string ThreeMfDocumentOf(const Mesh& mesh) {
    std::vector<NMR::MODELMESHVERTEX> vertices(mesh.vertices.size());
    for (std::size_t i = 0; i < mesh.vertices.size(); ++i) {
        vertices[i].m_fPosition[0] = static_cast<float>(mesh.vertices[i].x);
        vertices[i].m_fPosition[1] = static_cast<float>(mesh.vertices[i].y);
        vertices[i].m_fPosition[2] = static_cast<float>(mesh.vertices[i].z);
    }
    std::vector<NMR::MODELMESHTRIANGLE> triangles(mesh.triangles.size());
    for (std::size_t i = 0; i < mesh.triangles.size(); ++i) {
        for (int k = 0; k < 3; ++k) triangles[i].m_nIndices[k] = mesh.triangles[i][k];
    }

    Owned model;
    Require(NMR::lib3mf_createmodel(model.out()));
    Require(NMR::lib3mf_model_setunit(model.get(), NMR::MODELUNIT_MILLIMETER));
    Owned object;
    Require(NMR::lib3mf_model_addmeshobject(model.get(), object.out()));
    Require(NMR::lib3mf_object_setnameutf8(object.get(), "Polygrav part"));
    Require(NMR::lib3mf_meshobject_setgeometry(
        object.get(), vertices.data(), static_cast<DWORD>(vertices.size()), triangles.data(),
        static_cast<DWORD>(triangles.size())));
    Owned item;
    Require(NMR::lib3mf_model_addbuilditem(model.get(), object.get(), nullptr, item.out()));
    // lib3mf gives the build, the object and the item random UUIDs; fixed
    // ones (unique within the package, as the format asks) make the same
    // mesh give the same bytes, as every other format does.
    Require(
        NMR::lib3mf_model_setbuilduuidutf8(model.get(), "7d3c8e0a-5b1f-4c2e-9a64-1f0e2d3c4b5a"));
    Require(NMR::lib3mf_object_setuuidutf8(object.get(), "7d3c8e0a-5b1f-4c2e-9a64-1f0e2d3c4b5b"));
    Require(NMR::lib3mf_builditem_setuuidutf8(item.get(), "7d3c8e0a-5b1f-4c2e-9a64-1f0e2d3c4b5c"));
    Owned writer;
    Require(NMR::lib3mf_model_querywriter(model.get(), "3mf", writer.out()));
    ULONG64 size = 0;
    Require(NMR::lib3mf_writer_getstreamsize(writer.get(), &size));
    std::string bytes(static_cast<std::size_t>(size), '\0');
    Require(NMR::lib3mf_writer_writetobuffer(writer.get(), reinterpret_cast<BYTE*>(bytes.data()),
                                             size));
    return bytes;
}

}  // namespace polygrav

// The loaders: one record by id from the scenario database into its current record, through the
// record classes. A missing row leaves the record as it was; the caller learns of it from the result.
#include "modelrun/EstuaryColumns.h"
#include "services/StartPanel.h"
#include "modelrun/modTulmo.h"
#include "records/AdvancedDetail.h"
#include "records/Compounds.h"
#include "records/Emission.h"
#include "records/Environment.h"
#include "records/Run.h"
#include "runtime/Guard.h"

namespace modTulmo {

bool GetData(int32_t id) {
  bool found = false;
  vb::Guard("RunProcess", "GetData", [&] {
    CompoundRecord& c = CurrentCompound;
    found = Compounds().GetByKey(id, {
                                         .rstrCmpdescr = c.Cmpdescr,
                                         .rstrCmpname = c.Cmpname,
                                         .rintCmpistype = c.Cmpistype,
                                         .rdblCmpmolmass = c.Cmpmolmass,
                                         .rdblCmpvappress = c.Cmpvappress,
                                         .rdblCmpsol = c.Cmpsol,
                                         .rsinCmpkow = c.Cmpkow,
                                         .rdblCmpkd = c.Cmpkd,
                                         .rdblCmpkoc = c.Cmpkoc,
                                         .rdblCmpkdoc = c.Cmpkdoc,
                                         .rdblCmpbcf = c.Cmpbcf,
                                         .rdblcmphe = c.cmphe,
                                         .rdblCmptmelt = c.Cmptmelt,
                                         .rdblCmppka = c.Cmppka,
                                         .rdblCmpdegrbiowater = c.Cmpdegrbiowater,
                                         .rdblCmpdegrhydwater = c.Cmpdegrhydwater,
                                         .rdblCmpdegrphowater = c.Cmpdegrphowater,
                                         .rdblCmpdegrbiosed = c.Cmpdegrbiosed,
                                         .rdblCmpdegrhydsed = c.Cmpdegrhydsed,
                                         .rdblCmpdegrphosed = c.Cmpdegrphosed,
                                         .rdblAlphawater = c.Alphawater,
                                         .rdblBetaprey = c.Betaprey,
                                         .rdblBetadet = c.Betadet,
                                         .rdblBioTransform = c.BioTransform,
                                         .rdblBioTransZoo = c.BioTransZoo,
                                         .rdblBioTransSecProd = c.BioTransSecProd,
                                         .rdblBioTransRound = c.BioTransRound,
                                         .rdblBioTransOrg1Tel = c.BioTransOrg1Tel,
                                         .rdblBioTransOrg2Dab = c.BioTransOrg2Dab,
                                         .rstrCASnr = c.CASnr,
                                     });
    // The start panel shows the loaded record's description, when it is open.
    if (services::StartPanel* panel = services::GetStartPanel(); found && panel) panel->ShowCompound(c.Cmpdescr);
  });
  return found;
}

bool GetEmissionData(int32_t id) {
  bool found = false;
  vb::Guard("RunProcess", "GetEmissionData", [&] {
    EmissionRecord& e = CurrentEmission;
    found = Emission().GetByKey(id, {
                                        e.Description, e.Gridnr1, e.Gridnr2, e.Gridnr3, e.Gridnr4, e.Gridnr5,
                                        e.Load1, e.Load2, e.Load3, e.Load4, e.Load5, e.Loadatmos, e.EmRiverConc,
                                        e.EmSeaConc, e.SedBack, e.Emdummy4, e.Emdummy5,
                                    });
    if (services::StartPanel* panel = services::GetStartPanel(); found && panel) panel->ShowEmission(e.Description);
  });
  return found;
}

bool GetAdvancedDetailData(int32_t id) {
  bool found = false;
  vb::Guard("RunProcess", "GetAdvancedDetailData", [&] {
    AdvancedDetailRecord& d = CurrentAdvancedDetail;
    found = AdvancedDetail().GetByKey(
        id, {
                d.Detail1,           d.Detail2,           d.Detail3,
                d.Detail4,           d.Detail5,           d.Detail6,
                d.Detail7,           d.Detail8,           d.Detail9,
                d.Detail10,          d.Detail11,          d.Detail12,
                d.Detail13,          d.Detail14,          d.Detail15,
                d.Weight_org2dab,    d.Weight_org1pec,    d.Weight_org1tel,
                d.Weight_roundfish,  d.Weight_secprod,    d.Weight_zoopl,
                d.DietOrg2DabSecProd, d.DietOrg2DabOrg1Tel, d.DietOrg1TelDet,
                d.DietOrg1TelPhyto,  d.DietRoundSecProd,  d.DietSecProdZoo,
                d.DietZooDet,        d.DietZooPhyto,      d.GrowthRateOrg2Dab,
                d.GrowthRateOrg1Tel, d.GrowthRateRound,
            });
  });
  return found;
}

bool GetEnvironmentData(int32_t id) {
  bool found = false;
  vb::Guard("RunProcess", "GetEnvironmentData", [&] {
    EstuaryRecord& e = CurrentEstuary;
    std::string type;  // received and dropped: the estuary type is not held
    found = Environment().GetByKey(id, EstuaryOutputs(e, type));
    if (services::StartPanel* panel = services::GetStartPanel(); found && panel) panel->ShowEstuary(e.Description);
  });
  return found;
}

bool GetRunData(int32_t id) {
  bool found = false;
  vb::Guard("RunProcess", "GetRunData", [&] {
    RunRecord& r = CurrentRun;
    // The engine settings, version and date are not kept.
    int32_t corvixId = 0;
    std::string version;
    vb::Variant runDate;
    found = Run().GetByKey(id, {
                                   .rstrRundescription = r.RunDescription,
                                   .rlngCorvixid = corvixId,
                                   .rstrTulmoversion = version,
                                   .rdteRundate = runDate,
                                   .rlngEnvirID = r.EnvirID,
                                   .rlngCompoundid = r.CompoundID,
                                   .rlngEmisid = r.EmisID,
                               });
  });
  return found;
}

}  // namespace modTulmo

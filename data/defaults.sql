-- The contents the scenario database is delivered with: the engine settings and food-chain detail
-- set that every calculation uses (id 1 each), the generic estuaries of the EASY and INTERMEDIATE
-- levels, a few real compounds and a few emission scenarios. Runs on an empty schema.sql database.
-- Users may add, change and delete the compounds and emissions; the generic estuaries stay fixed.

------------------------------------------------------------------------------------------------
-- Engine settings. Only the settings' own list and editor read the texts; runs refer to id 1.
------------------------------------------------------------------------------------------------
INSERT INTO Corvix (CorvixID, CorvixVersion, NumericalScheme)
VALUES (1, '1.0', 'steady state, central advection limited towards upwind');

------------------------------------------------------------------------------------------------
-- Food-chain detail set 1: the one every calculation uses. Of it only the five weights reach the
-- engine, in the units the input file labels: zooplankton ug, secondary consumers mg, round fish
-- g, Tellina mg, dab g. The weights are those of a typical estuarine food web (a copepod, a mysid
-- shrimp, a small round fish such as smelt, an adult Tellina, a juvenile flatfish). The diet
-- fractions are the engine's fixed diet; the growth rates follow its growth law
-- 5E-4 * W^-0.2 per day with W in kg (kept for reference: the engine does not read them).
------------------------------------------------------------------------------------------------
INSERT INTO AdvancedDetail (AdvancedID,
  detail1, detail2, detail3, detail4, detail5, detail6, detail7, detail8, detail9, detail10,
  detail11, detail12, detail13, detail14, detail15,
  Weight_org2dab, Weight_org1pec, Weight_org1tel, Weight_roundfish, Weight_secprod, Weight_zoopl,
  DietOrg2DabSecProd, DietOrg2DabOrg1Tel, DietOrg1TelDet, DietOrg1TelPhyto, DietRoundSecProd,
  DietSecProdZoo, DietZooDet, DietZooPhyto,
  GrowthRateOrg2Dab, GrowthRateOrg1Tel, GrowthRateRound)
VALUES (1,
  0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
  0, 0, 0, 0, 0,
  50,       -- Weight_org2dab: dab, g
  10,       -- Weight_org1pec: not used by the calculation, g
  500,      -- Weight_org1tel: Tellina, mg
  100,      -- Weight_roundfish: round fish, g
  100,      -- Weight_secprod: secondary consumers, mg
  10,       -- Weight_zoopl: zooplankton, ug
  0.5,      -- DietOrg2DabSecProd
  0.5,      -- DietOrg2DabOrg1Tel
  0.5,      -- DietOrg1TelDet
  0.5,      -- DietOrg1TelPhyto
  1,        -- DietRoundSecProd
  1,        -- DietSecProdZoo
  0.5,      -- DietZooDet
  0.5,      -- DietZooPhyto
  0.00091,  -- GrowthRateOrg2Dab, 1/d (W = 0.05 kg)
  0.0023,   -- GrowthRateOrg1Tel, 1/d (W = 0.0005 kg)
  0.00079   -- GrowthRateRound, 1/d (W = 0.1 kg)
);

------------------------------------------------------------------------------------------------
-- Generic estuaries: one temperate, well-mixed, macro-tidal, funnel-shaped estuary, once as the
-- yearly average ("defaultavg", level EASY) and once per season ("default", level INTERMEDIATE).
--
-- Geometry and tide (the same in every row): mouth 6 km wide narrowing to 1.2 km at 50 km, so the
-- convergence length is a = 50 / ln(6000/1200) = 31.1 km; mean depth 10 m; semi-diurnal tide of
-- 12.42 h with a 4 m range; 160 km from the mouth to the tidal limit. Values of the order found
-- in the alluvial estuaries of north-west Europe (the exponential-width estuaries described by
-- Savenije, Salinity and Tides in Alluvial Estuaries, Elsevier 2005).
--
-- River discharge (m3/s): winter 200, spring 130, summer 45, autumn 90; the yearly row holds
-- their mean, 116.25. The three derived columns are what the estuary editor computes from these
-- inputs with the grid-parameter formulas (dispersion from geometry and tide, Van der Burgh
-- coefficient K = 0.379): convergence length 31.1 km, dispersion at the mouth D0 and salt
-- intrusion length Ls (km):
--   yearly 725.3 m2/s, Ls 108.4   winter 951.3, Ls 100.3   spring 766.9, Ls 106.7
--   summer 451.2, Ls 122.8        autumn 638.1, Ls 112.3
-- so the salt intrusion ends 37-60 km below the head and the upper reach is fresh all year.
-- The salinity stations at 30 and 70 km hold the salinities of the same steady profile
-- S(x) = S0 * (1 - beta * (exp(x/a) - 1))^(1/K), so the row stays consistent when a user copies
-- it and switches to the salinity method.
--
-- Water quality per salinity zone (fresh < 8, intermediate 8-20, saline > 20 psu, marine box):
-- suspended solids peak in the turbidity maximum of the intermediate zone and are lowest at sea,
-- higher in winter (floods, storms) than in summer; POC is 2-4 % of the suspended solids; DOC
-- falls from the river to the sea; oxygen dips in the upper estuary in summer; chlorophyll has a
-- spring bloom in the saline zone and a summer maximum in the fresh zone; phytoplankton biomass is
-- chlorophyll x 0.157895 (the editor's estimate); zooplankton peaks in late spring and summer.
-- Orders of magnitude as reported for turbid macro-tidal estuaries (Soetaert et al., Estuaries
-- and Coasts 29, 2006; Middelburg & Herman, Marine Chemistry 106, 2007; Abril et al., Estuarine,
-- Coastal and Shelf Science 54, 2002). Sediment: a 0.1 m mixed layer (0.05 m at sea) whose
-- organic-carbon fraction falls from 4 % to 1 %; net sedimentation 0.3-0.7 m/d.
-- Marine box: 40 km along the coast, 20 km offshore, 20 m deep, residual current 0.1 m/s.
------------------------------------------------------------------------------------------------
INSERT INTO Environment (ID,
  Description, Type, SalinitySea, dissolvedo21, Silt1, Silt2, Poc1, Poc2, pHSea, ZooBiomass1,
  WidthMouth, WidthAtX, ConvergenceLength, SaltIntrusionLengthAvg, XfromMouth, DispersionOption,
  DispersionX1, DispersionX2, FlowRiverAvg, TideAvg, TidalPeriod, TempAvg, ChlorophylConc1,
  DispersionAvg, SedimentationVelocityAvg, estdepth, DispersionSalinity1, DispersionSalinity2,
  Silt3, Poc3, Doc1, Doc2, Doc3, PhytoBiomass1, focsed1, ChlorophylConc2, ChlorophylConc3,
  PhytoBiomass2, PhytoBiomass3, dissolvedo22, dissolvedo23, ZooBiomass2, ZooBiomass3, EstLength,
  Silt4, POC4, DOC4, FOCSed2, FOCSed3, FOCSed4, EnvMarineLength, EnvMarineWidth, EnvMarineDepth,
  EnvMarineCurrent, ThickLayer1, ThickLayer2, ThickLayer3, ThickLayer4)
VALUES (
  1,            -- ID
  'Generic macro-tidal estuary, yearly average',
  'defaultavg', -- Type
  31.75,        -- SalinitySea: salinity at the mouth, psu
  7.9,          -- dissolvedo21: oxygen, fresh zone, mg/l
  60,           -- Silt1: suspended solids, fresh zone, mg/l
  180,          -- Silt2: suspended solids, intermediate zone (turbidity maximum), mg/l
  2.6,          -- Poc1: POC, fresh zone, mg OC/l
  5,            -- Poc2: POC, intermediate zone, mg OC/l
  8,            -- pHSea: pH of the sea
  0.3,          -- ZooBiomass1: zooplankton, fresh zone, mg/l
  6000,         -- WidthMouth: width at the mouth, m
  1200,         -- WidthAtX: width at X, m
  31.1,         -- ConvergenceLength: convergence length, km (derived)
  108.4,        -- SaltIntrusionLengthAvg: salt intrusion length, km (derived)
  50,           -- XfromMouth: X, km from the mouth
  0,            -- DispersionOption: 0: dispersion from geometry and tide
  30,           -- DispersionX1: first salinity station, km
  70,           -- DispersionX2: second salinity station, km
  116.25,       -- FlowRiverAvg: river discharge, m3/s
  4,            -- TideAvg: tidal range, m
  12.42,        -- TidalPeriod: tidal period, h
  12.5,         -- TempAvg: water temperature, degrees C
  18,           -- ChlorophylConc1: chlorophyll, fresh zone, ug/l
  725.3,        -- DispersionAvg: dispersion at the mouth, m2/s (derived)
  0.5,          -- SedimentationVelocityAvg: net sedimentation velocity, m/d
  10,           -- estdepth: mean depth, m
  27.6,         -- DispersionSalinity1: salinity at the first station, psu
  13.9,         -- DispersionSalinity2: salinity at the second station, psu
  40,           -- Silt3: suspended solids, saline zone, mg/l
  1,            -- Poc3: POC, saline zone, mg OC/l
  5.2,          -- Doc1: DOC, fresh zone, mg OC/l
  3.6,          -- Doc2: DOC, intermediate zone, mg OC/l
  2.2,          -- Doc3: DOC, saline zone, mg OC/l
  2.84,         -- PhytoBiomass1: phytoplankton, fresh zone, mg/l
  0.04,         -- focsed1: organic carbon fraction of the sediment, fresh zone
  6,            -- ChlorophylConc2: chlorophyll, intermediate zone, ug/l
  8,            -- ChlorophylConc3: chlorophyll, saline zone, ug/l
  0.95,         -- PhytoBiomass2: phytoplankton, intermediate zone, mg/l
  1.26,         -- PhytoBiomass3: phytoplankton, saline zone, mg/l
  7.6,          -- dissolvedo22: oxygen, intermediate zone, mg/l
  8.6,          -- dissolvedo23: oxygen, saline zone, mg/l
  0.35,         -- ZooBiomass2: zooplankton, intermediate zone, mg/l
  0.3,          -- ZooBiomass3: zooplankton, saline zone, mg/l
  160,          -- EstLength: estuary length, km
  11,           -- Silt4: suspended solids, marine box, mg/l
  0.3,          -- POC4: POC, marine box, mg OC/l
  1.1,          -- DOC4: DOC, marine box, mg OC/l
  0.03,         -- FOCSed2: organic carbon fraction of the sediment, intermediate zone
  0.02,         -- FOCSed3: organic carbon fraction of the sediment, saline zone
  0.01,         -- FOCSed4: organic carbon fraction of the sediment, marine box
  40000,        -- EnvMarineLength: marine box length, m
  20000,        -- EnvMarineWidth: marine box width, m
  20,           -- EnvMarineDepth: marine box depth, m
  0.1,          -- EnvMarineCurrent: residual longshore current, m/s
  0.1,          -- ThickLayer1: mixed sediment layer, fresh zone, m
  0.1,          -- ThickLayer2: mixed sediment layer, intermediate zone, m
  0.1,          -- ThickLayer3: mixed sediment layer, saline zone, m
  0.05          -- ThickLayer4: mixed sediment layer, marine box, m
);

INSERT INTO Environment (ID,
  Description, Type, SalinitySea, dissolvedo21, Silt1, Silt2, Poc1, Poc2, pHSea, ZooBiomass1,
  WidthMouth, WidthAtX, ConvergenceLength, SaltIntrusionLengthAvg, XfromMouth, DispersionOption,
  DispersionX1, DispersionX2, FlowRiverAvg, TideAvg, TidalPeriod, TempAvg, ChlorophylConc1,
  DispersionAvg, SedimentationVelocityAvg, estdepth, DispersionSalinity1, DispersionSalinity2,
  Silt3, Poc3, Doc1, Doc2, Doc3, PhytoBiomass1, focsed1, ChlorophylConc2, ChlorophylConc3,
  PhytoBiomass2, PhytoBiomass3, dissolvedo22, dissolvedo23, ZooBiomass2, ZooBiomass3, EstLength,
  Silt4, POC4, DOC4, FOCSed2, FOCSed3, FOCSed4, EnvMarineLength, EnvMarineWidth, EnvMarineDepth,
  EnvMarineCurrent, ThickLayer1, ThickLayer2, ThickLayer3, ThickLayer4)
VALUES (
  2,            -- ID
  'Generic macro-tidal estuary, winter (December to February)',
  'default',    -- Type
  31,           -- SalinitySea: salinity at the mouth, psu
  10.4,         -- dissolvedo21: oxygen, fresh zone, mg/l
  80,           -- Silt1: suspended solids, fresh zone, mg/l
  250,          -- Silt2: suspended solids, intermediate zone (turbidity maximum), mg/l
  3.2,          -- Poc1: POC, fresh zone, mg OC/l
  6,            -- Poc2: POC, intermediate zone, mg OC/l
  8,            -- pHSea: pH of the sea
  0.05,         -- ZooBiomass1: zooplankton, fresh zone, mg/l
  6000,         -- WidthMouth: width at the mouth, m
  1200,         -- WidthAtX: width at X, m
  31.1,         -- ConvergenceLength: convergence length, km (derived)
  100.3,        -- SaltIntrusionLengthAvg: salt intrusion length, km (derived)
  50,           -- XfromMouth: X, km from the mouth
  0,            -- DispersionOption: 0: dispersion from geometry and tide
  30,           -- DispersionX1: first salinity station, km
  70,           -- DispersionX2: second salinity station, km
  200,          -- FlowRiverAvg: river discharge, m3/s
  4,            -- TideAvg: tidal range, m
  12.42,        -- TidalPeriod: tidal period, h
  6,            -- TempAvg: water temperature, degrees C
  4,            -- ChlorophylConc1: chlorophyll, fresh zone, ug/l
  951.3,        -- DispersionAvg: dispersion at the mouth, m2/s (derived)
  0.3,          -- SedimentationVelocityAvg: net sedimentation velocity, m/d
  10,           -- estdepth: mean depth, m
  25.8,         -- DispersionSalinity1: salinity at the first station, psu
  9.9,          -- DispersionSalinity2: salinity at the second station, psu
  60,           -- Silt3: suspended solids, saline zone, mg/l
  1.2,          -- Poc3: POC, saline zone, mg OC/l
  6,            -- Doc1: DOC, fresh zone, mg OC/l
  4,            -- Doc2: DOC, intermediate zone, mg OC/l
  2.4,          -- Doc3: DOC, saline zone, mg OC/l
  0.63,         -- PhytoBiomass1: phytoplankton, fresh zone, mg/l
  0.04,         -- focsed1: organic carbon fraction of the sediment, fresh zone
  2,            -- ChlorophylConc2: chlorophyll, intermediate zone, ug/l
  2,            -- ChlorophylConc3: chlorophyll, saline zone, ug/l
  0.32,         -- PhytoBiomass2: phytoplankton, intermediate zone, mg/l
  0.32,         -- PhytoBiomass3: phytoplankton, saline zone, mg/l
  9.6,          -- dissolvedo22: oxygen, intermediate zone, mg/l
  9.8,          -- dissolvedo23: oxygen, saline zone, mg/l
  0.1,          -- ZooBiomass2: zooplankton, intermediate zone, mg/l
  0.05,         -- ZooBiomass3: zooplankton, saline zone, mg/l
  160,          -- EstLength: estuary length, km
  20,           -- Silt4: suspended solids, marine box, mg/l
  0.4,          -- POC4: POC, marine box, mg OC/l
  1.2,          -- DOC4: DOC, marine box, mg OC/l
  0.03,         -- FOCSed2: organic carbon fraction of the sediment, intermediate zone
  0.02,         -- FOCSed3: organic carbon fraction of the sediment, saline zone
  0.01,         -- FOCSed4: organic carbon fraction of the sediment, marine box
  40000,        -- EnvMarineLength: marine box length, m
  20000,        -- EnvMarineWidth: marine box width, m
  20,           -- EnvMarineDepth: marine box depth, m
  0.1,          -- EnvMarineCurrent: residual longshore current, m/s
  0.1,          -- ThickLayer1: mixed sediment layer, fresh zone, m
  0.1,          -- ThickLayer2: mixed sediment layer, intermediate zone, m
  0.1,          -- ThickLayer3: mixed sediment layer, saline zone, m
  0.05          -- ThickLayer4: mixed sediment layer, marine box, m
);

INSERT INTO Environment (ID,
  Description, Type, SalinitySea, dissolvedo21, Silt1, Silt2, Poc1, Poc2, pHSea, ZooBiomass1,
  WidthMouth, WidthAtX, ConvergenceLength, SaltIntrusionLengthAvg, XfromMouth, DispersionOption,
  DispersionX1, DispersionX2, FlowRiverAvg, TideAvg, TidalPeriod, TempAvg, ChlorophylConc1,
  DispersionAvg, SedimentationVelocityAvg, estdepth, DispersionSalinity1, DispersionSalinity2,
  Silt3, Poc3, Doc1, Doc2, Doc3, PhytoBiomass1, focsed1, ChlorophylConc2, ChlorophylConc3,
  PhytoBiomass2, PhytoBiomass3, dissolvedo22, dissolvedo23, ZooBiomass2, ZooBiomass3, EstLength,
  Silt4, POC4, DOC4, FOCSed2, FOCSed3, FOCSed4, EnvMarineLength, EnvMarineWidth, EnvMarineDepth,
  EnvMarineCurrent, ThickLayer1, ThickLayer2, ThickLayer3, ThickLayer4)
VALUES (
  3,            -- ID
  'Generic macro-tidal estuary, spring (March to May)',
  'default',    -- Type
  31.5,         -- SalinitySea: salinity at the mouth, psu
  8.6,          -- dissolvedo21: oxygen, fresh zone, mg/l
  60,           -- Silt1: suspended solids, fresh zone, mg/l
  180,          -- Silt2: suspended solids, intermediate zone (turbidity maximum), mg/l
  2.6,          -- Poc1: POC, fresh zone, mg OC/l
  5,            -- Poc2: POC, intermediate zone, mg OC/l
  8,            -- pHSea: pH of the sea
  0.3,          -- ZooBiomass1: zooplankton, fresh zone, mg/l
  6000,         -- WidthMouth: width at the mouth, m
  1200,         -- WidthAtX: width at X, m
  31.1,         -- ConvergenceLength: convergence length, km (derived)
  106.7,        -- SaltIntrusionLengthAvg: salt intrusion length, km (derived)
  50,           -- XfromMouth: X, km from the mouth
  0,            -- DispersionOption: 0: dispersion from geometry and tide
  30,           -- DispersionX1: first salinity station, km
  70,           -- DispersionX2: second salinity station, km
  130,          -- FlowRiverAvg: river discharge, m3/s
  4,            -- TideAvg: tidal range, m
  12.42,        -- TidalPeriod: tidal period, h
  12,           -- TempAvg: water temperature, degrees C
  20,           -- ChlorophylConc1: chlorophyll, fresh zone, ug/l
  766.9,        -- DispersionAvg: dispersion at the mouth, m2/s (derived)
  0.5,          -- SedimentationVelocityAvg: net sedimentation velocity, m/d
  10,           -- estdepth: mean depth, m
  27.2,         -- DispersionSalinity1: salinity at the first station, psu
  13.1,         -- DispersionSalinity2: salinity at the second station, psu
  40,           -- Silt3: suspended solids, saline zone, mg/l
  1,            -- Poc3: POC, saline zone, mg OC/l
  5,            -- Doc1: DOC, fresh zone, mg OC/l
  3.6,          -- Doc2: DOC, intermediate zone, mg OC/l
  2.2,          -- Doc3: DOC, saline zone, mg OC/l
  3.16,         -- PhytoBiomass1: phytoplankton, fresh zone, mg/l
  0.04,         -- focsed1: organic carbon fraction of the sediment, fresh zone
  8,            -- ChlorophylConc2: chlorophyll, intermediate zone, ug/l
  16,           -- ChlorophylConc3: chlorophyll, saline zone, ug/l
  1.26,         -- PhytoBiomass2: phytoplankton, intermediate zone, mg/l
  2.53,         -- PhytoBiomass3: phytoplankton, saline zone, mg/l
  8,            -- dissolvedo22: oxygen, intermediate zone, mg/l
  9,            -- dissolvedo23: oxygen, saline zone, mg/l
  0.4,          -- ZooBiomass2: zooplankton, intermediate zone, mg/l
  0.55,         -- ZooBiomass3: zooplankton, saline zone, mg/l
  160,          -- EstLength: estuary length, km
  10,           -- Silt4: suspended solids, marine box, mg/l
  0.3,          -- POC4: POC, marine box, mg OC/l
  1,            -- DOC4: DOC, marine box, mg OC/l
  0.03,         -- FOCSed2: organic carbon fraction of the sediment, intermediate zone
  0.02,         -- FOCSed3: organic carbon fraction of the sediment, saline zone
  0.01,         -- FOCSed4: organic carbon fraction of the sediment, marine box
  40000,        -- EnvMarineLength: marine box length, m
  20000,        -- EnvMarineWidth: marine box width, m
  20,           -- EnvMarineDepth: marine box depth, m
  0.1,          -- EnvMarineCurrent: residual longshore current, m/s
  0.1,          -- ThickLayer1: mixed sediment layer, fresh zone, m
  0.1,          -- ThickLayer2: mixed sediment layer, intermediate zone, m
  0.1,          -- ThickLayer3: mixed sediment layer, saline zone, m
  0.05          -- ThickLayer4: mixed sediment layer, marine box, m
);

INSERT INTO Environment (ID,
  Description, Type, SalinitySea, dissolvedo21, Silt1, Silt2, Poc1, Poc2, pHSea, ZooBiomass1,
  WidthMouth, WidthAtX, ConvergenceLength, SaltIntrusionLengthAvg, XfromMouth, DispersionOption,
  DispersionX1, DispersionX2, FlowRiverAvg, TideAvg, TidalPeriod, TempAvg, ChlorophylConc1,
  DispersionAvg, SedimentationVelocityAvg, estdepth, DispersionSalinity1, DispersionSalinity2,
  Silt3, Poc3, Doc1, Doc2, Doc3, PhytoBiomass1, focsed1, ChlorophylConc2, ChlorophylConc3,
  PhytoBiomass2, PhytoBiomass3, dissolvedo22, dissolvedo23, ZooBiomass2, ZooBiomass3, EstLength,
  Silt4, POC4, DOC4, FOCSed2, FOCSed3, FOCSed4, EnvMarineLength, EnvMarineWidth, EnvMarineDepth,
  EnvMarineCurrent, ThickLayer1, ThickLayer2, ThickLayer3, ThickLayer4)
VALUES (
  4,            -- ID
  'Generic macro-tidal estuary, summer (June to August)',
  'default',    -- Type
  32.5,         -- SalinitySea: salinity at the mouth, psu
  5.2,          -- dissolvedo21: oxygen, fresh zone, mg/l
  40,           -- Silt1: suspended solids, fresh zone, mg/l
  120,          -- Silt2: suspended solids, intermediate zone (turbidity maximum), mg/l
  2.2,          -- Poc1: POC, fresh zone, mg OC/l
  4.2,          -- Poc2: POC, intermediate zone, mg OC/l
  8,            -- pHSea: pH of the sea
  0.6,          -- ZooBiomass1: zooplankton, fresh zone, mg/l
  6000,         -- WidthMouth: width at the mouth, m
  1200,         -- WidthAtX: width at X, m
  31.1,         -- ConvergenceLength: convergence length, km (derived)
  122.8,        -- SaltIntrusionLengthAvg: salt intrusion length, km (derived)
  50,           -- XfromMouth: X, km from the mouth
  0,            -- DispersionOption: 0: dispersion from geometry and tide
  30,           -- DispersionX1: first salinity station, km
  70,           -- DispersionX2: second salinity station, km
  45,           -- FlowRiverAvg: river discharge, m3/s
  4,            -- TideAvg: tidal range, m
  12.42,        -- TidalPeriod: tidal period, h
  19,           -- TempAvg: water temperature, degrees C
  36,           -- ChlorophylConc1: chlorophyll, fresh zone, ug/l
  451.2,        -- DispersionAvg: dispersion at the mouth, m2/s (derived)
  0.7,          -- SedimentationVelocityAvg: net sedimentation velocity, m/d
  10,           -- estdepth: mean depth, m
  29.8,         -- DispersionSalinity1: salinity at the first station, psu
  20.1,         -- DispersionSalinity2: salinity at the second station, psu
  25,           -- Silt3: suspended solids, saline zone, mg/l
  0.8,          -- Poc3: POC, saline zone, mg OC/l
  4.6,          -- Doc1: DOC, fresh zone, mg OC/l
  3.2,          -- Doc2: DOC, intermediate zone, mg OC/l
  2,            -- Doc3: DOC, saline zone, mg OC/l
  5.68,         -- PhytoBiomass1: phytoplankton, fresh zone, mg/l
  0.04,         -- focsed1: organic carbon fraction of the sediment, fresh zone
  10,           -- ChlorophylConc2: chlorophyll, intermediate zone, ug/l
  8,            -- ChlorophylConc3: chlorophyll, saline zone, ug/l
  1.58,         -- PhytoBiomass2: phytoplankton, intermediate zone, mg/l
  1.26,         -- PhytoBiomass3: phytoplankton, saline zone, mg/l
  5.6,          -- dissolvedo22: oxygen, intermediate zone, mg/l
  7.4,          -- dissolvedo23: oxygen, saline zone, mg/l
  0.6,          -- ZooBiomass2: zooplankton, intermediate zone, mg/l
  0.4,          -- ZooBiomass3: zooplankton, saline zone, mg/l
  160,          -- EstLength: estuary length, km
  5,            -- Silt4: suspended solids, marine box, mg/l
  0.2,          -- POC4: POC, marine box, mg OC/l
  1,            -- DOC4: DOC, marine box, mg OC/l
  0.03,         -- FOCSed2: organic carbon fraction of the sediment, intermediate zone
  0.02,         -- FOCSed3: organic carbon fraction of the sediment, saline zone
  0.01,         -- FOCSed4: organic carbon fraction of the sediment, marine box
  40000,        -- EnvMarineLength: marine box length, m
  20000,        -- EnvMarineWidth: marine box width, m
  20,           -- EnvMarineDepth: marine box depth, m
  0.1,          -- EnvMarineCurrent: residual longshore current, m/s
  0.1,          -- ThickLayer1: mixed sediment layer, fresh zone, m
  0.1,          -- ThickLayer2: mixed sediment layer, intermediate zone, m
  0.1,          -- ThickLayer3: mixed sediment layer, saline zone, m
  0.05          -- ThickLayer4: mixed sediment layer, marine box, m
);

INSERT INTO Environment (ID,
  Description, Type, SalinitySea, dissolvedo21, Silt1, Silt2, Poc1, Poc2, pHSea, ZooBiomass1,
  WidthMouth, WidthAtX, ConvergenceLength, SaltIntrusionLengthAvg, XfromMouth, DispersionOption,
  DispersionX1, DispersionX2, FlowRiverAvg, TideAvg, TidalPeriod, TempAvg, ChlorophylConc1,
  DispersionAvg, SedimentationVelocityAvg, estdepth, DispersionSalinity1, DispersionSalinity2,
  Silt3, Poc3, Doc1, Doc2, Doc3, PhytoBiomass1, focsed1, ChlorophylConc2, ChlorophylConc3,
  PhytoBiomass2, PhytoBiomass3, dissolvedo22, dissolvedo23, ZooBiomass2, ZooBiomass3, EstLength,
  Silt4, POC4, DOC4, FOCSed2, FOCSed3, FOCSed4, EnvMarineLength, EnvMarineWidth, EnvMarineDepth,
  EnvMarineCurrent, ThickLayer1, ThickLayer2, ThickLayer3, ThickLayer4)
VALUES (
  5,            -- ID
  'Generic macro-tidal estuary, autumn (September to November)',
  'default',    -- Type
  32,           -- SalinitySea: salinity at the mouth, psu
  7.4,          -- dissolvedo21: oxygen, fresh zone, mg/l
  60,           -- Silt1: suspended solids, fresh zone, mg/l
  170,          -- Silt2: suspended solids, intermediate zone (turbidity maximum), mg/l
  2.4,          -- Poc1: POC, fresh zone, mg OC/l
  4.8,          -- Poc2: POC, intermediate zone, mg OC/l
  8,            -- pHSea: pH of the sea
  0.25,         -- ZooBiomass1: zooplankton, fresh zone, mg/l
  6000,         -- WidthMouth: width at the mouth, m
  1200,         -- WidthAtX: width at X, m
  31.1,         -- ConvergenceLength: convergence length, km (derived)
  112.3,        -- SaltIntrusionLengthAvg: salt intrusion length, km (derived)
  50,           -- XfromMouth: X, km from the mouth
  0,            -- DispersionOption: 0: dispersion from geometry and tide
  30,           -- DispersionX1: first salinity station, km
  70,           -- DispersionX2: second salinity station, km
  90,           -- FlowRiverAvg: river discharge, m3/s
  4,            -- TideAvg: tidal range, m
  12.42,        -- TidalPeriod: tidal period, h
  13,           -- TempAvg: water temperature, degrees C
  12,           -- ChlorophylConc1: chlorophyll, fresh zone, ug/l
  638.1,        -- DispersionAvg: dispersion at the mouth, m2/s (derived)
  0.5,          -- SedimentationVelocityAvg: net sedimentation velocity, m/d
  10,           -- estdepth: mean depth, m
  28.3,         -- DispersionSalinity1: salinity at the first station, psu
  15.7,         -- DispersionSalinity2: salinity at the second station, psu
  35,           -- Silt3: suspended solids, saline zone, mg/l
  1,            -- Poc3: POC, saline zone, mg OC/l
  5.2,          -- Doc1: DOC, fresh zone, mg OC/l
  3.6,          -- Doc2: DOC, intermediate zone, mg OC/l
  2.2,          -- Doc3: DOC, saline zone, mg OC/l
  1.89,         -- PhytoBiomass1: phytoplankton, fresh zone, mg/l
  0.04,         -- focsed1: organic carbon fraction of the sediment, fresh zone
  4,            -- ChlorophylConc2: chlorophyll, intermediate zone, ug/l
  6,            -- ChlorophylConc3: chlorophyll, saline zone, ug/l
  0.63,         -- PhytoBiomass2: phytoplankton, intermediate zone, mg/l
  0.95,         -- PhytoBiomass3: phytoplankton, saline zone, mg/l
  7.2,          -- dissolvedo22: oxygen, intermediate zone, mg/l
  8.2,          -- dissolvedo23: oxygen, saline zone, mg/l
  0.3,          -- ZooBiomass2: zooplankton, intermediate zone, mg/l
  0.2,          -- ZooBiomass3: zooplankton, saline zone, mg/l
  160,          -- EstLength: estuary length, km
  9,            -- Silt4: suspended solids, marine box, mg/l
  0.3,          -- POC4: POC, marine box, mg OC/l
  1.2,          -- DOC4: DOC, marine box, mg OC/l
  0.03,         -- FOCSed2: organic carbon fraction of the sediment, intermediate zone
  0.02,         -- FOCSed3: organic carbon fraction of the sediment, saline zone
  0.01,         -- FOCSed4: organic carbon fraction of the sediment, marine box
  40000,        -- EnvMarineLength: marine box length, m
  20000,        -- EnvMarineWidth: marine box width, m
  20,           -- EnvMarineDepth: marine box depth, m
  0.1,          -- EnvMarineCurrent: residual longshore current, m/s
  0.1,          -- ThickLayer1: mixed sediment layer, fresh zone, m
  0.1,          -- ThickLayer2: mixed sediment layer, intermediate zone, m
  0.1,          -- ThickLayer3: mixed sediment layer, saline zone, m
  0.05          -- ThickLayer4: mixed sediment layer, marine box, m
);

------------------------------------------------------------------------------------------------
-- Compounds, in the units of the compound editor: molar mass g/mol, vapour pressure Pa,
-- solubility g/m3, log Kow, Kd l/g (metals), log Koc log(l/kg OC), Henry coefficient Pa.m3/mol,
-- degradation rates 1/d (rate = ln 2 / half-life), biotransformation factors 0-1 (0: none known).
-- As the editor stores them: a metal keeps 0 in the organic columns and Null in CmpKow, an organic
-- compound Kd 0; Kdoc, Bcf, melting point and BioTransform are 0; pKa 0 for a neutral compound.
-- AlphaWater, BetaPrey and BetaDet are the editor's food-chain estimate from log Kow (log Kow up
-- to 6.25: 0.6, 0.5, 0.35; above: 10^(2.9 - 0.5 log Kow), 0.65, 0.35); for metals the editor's
-- starting values 0, 0.6, 0.35. The Henry coefficients are the editor's estimate
-- molar mass x vapour pressure / solubility from the values given.
------------------------------------------------------------------------------------------------
INSERT INTO Compounds (CmpID, CmpDescr, CmpName, CmpIsType, CmpMolmass, CmpVappress, CmpSol,
  CmpKow, CmpKd, CmpKoc, CmpKdoc, CmpBcf, cmphe, CmpTmelt, CmppKa,
  CmpDegrBiowater, CmpDegrHydwater, CmpDegrPhowater, CmpDegrBioSed, CmpDegrHydSed, CmpDegrPhoSed,
  AlphaWater, BetaPrey, BetaDet, BioTransform,
  BioTransZoo, BioTransSecProd, BioTransRound, BioTransOrg1Tel, BioTransOrg2Dab, CASnr)
VALUES (1, 'Lindane (gamma-HCH)', 'gamma-hexachlorocyclohexane', 2,
  290.83,   -- C6H6Cl6
  5.6E-3,   -- vapour pressure at 20 C (The Pesticide Manual, BCPC, lindane entry)
  7.3,      -- solubility at 25 C (The Pesticide Manual)
  3.72,     -- log Kow (Hansch, Leo and Hoekman, Exploring QSAR, ACS 1995)
  0,
  3.03,     -- log Koc, Koc about 1100 l/kg (Kenaga, Ecotoxicol. Environ. Saf. 4, 1980)
  0, 0,
  0.2231,   -- Henry coefficient, estimate from the values above
  0, 0,
  0.0014,   -- biodegradation in oxic water, half-life about 500 d: lindane is not readily
            -- biodegradable (screening value)
  0.0019,   -- base-catalysed hydrolysis at estuarine pH 8 and 20 C, half-life of the order of a
            -- year (Ngabe, Bidleman and Falconer, Environ. Sci. Technol. 27, 1993)
  0,        -- no direct photolysis: no absorption above 290 nm
  0.012,    -- biodegradation in sediment, half-life about 58 d: reductive dechlorination in
            -- anoxic sediment is faster than degradation in oxic water
  0.0019,   -- hydrolysis in the pore water, as in the water column
  0,
  0.6, 0.5, 0.35, 0,       -- food-chain estimate for log Kow 3.72
  0, 0, 0, 0, 0,
  '58-89-9');

INSERT INTO Compounds (CmpID, CmpDescr, CmpName, CmpIsType, CmpMolmass, CmpVappress, CmpSol,
  CmpKow, CmpKd, CmpKoc, CmpKdoc, CmpBcf, cmphe, CmpTmelt, CmppKa,
  CmpDegrBiowater, CmpDegrHydwater, CmpDegrPhowater, CmpDegrBioSed, CmpDegrHydSed, CmpDegrPhoSed,
  AlphaWater, BetaPrey, BetaDet, BioTransform,
  BioTransZoo, BioTransSecProd, BioTransRound, BioTransOrg1Tel, BioTransOrg2Dab, CASnr)
VALUES (2, 'PCB-153', '2,2'',4,4'',5,5''-hexachlorobiphenyl', 2,
  360.88,   -- C12H4Cl6
  1.2E-4,   -- vapour pressure of the solid at 25 C, order of the values compiled by Mackay, Shiu,
            -- Ma and Lee, Handbook of Physical-Chemical Properties and Environmental Fate for
            -- Organic Chemicals, 2nd ed., CRC 2006
  1.0E-3,   -- solubility at 25 C, about 1 ug/l (same handbook)
  6.92,     -- log Kow (Hawker and Connell, Environ. Sci. Technol. 22, 1988)
  0,
  5.71,     -- log Koc = 0.81 log Kow + 0.10 (Sabljic et al., Chemosphere 31, 1995; the
            -- editor's default estimate for hydrophobic compounds)
  0, 0,
  43.31,    -- Henry coefficient, estimate from the values above
  0, 0,
  0.00054,  -- degradation in water, half-life 31 000 h (Sinkkonen and Paasivirta,
            -- Chemosphere 40, 2000, PCB half-lives for fate modelling)
  0, 0,
  0.0003,   -- degradation in sediment, half-life 55 000 h (same source)
  0, 0,
  0.27542, 0.65, 0.35, 0,  -- food-chain estimate for log Kow 6.92
  0, 0, 0, 0, 0,           -- PCB-153 is hardly metabolised by any of the organisms
  '35065-27-1');

INSERT INTO Compounds (CmpID, CmpDescr, CmpName, CmpIsType, CmpMolmass, CmpVappress, CmpSol,
  CmpKow, CmpKd, CmpKoc, CmpKdoc, CmpBcf, cmphe, CmpTmelt, CmppKa,
  CmpDegrBiowater, CmpDegrHydwater, CmpDegrPhowater, CmpDegrBioSed, CmpDegrHydSed, CmpDegrPhoSed,
  AlphaWater, BetaPrey, BetaDet, BioTransform,
  BioTransZoo, BioTransSecProd, BioTransRound, BioTransOrg1Tel, BioTransOrg2Dab, CASnr)
VALUES (3, 'Benzo[a]pyrene', 'benzo[a]pyrene', 2,
  252.32,   -- C20H12
  7.0E-7,   -- vapour pressure at 25 C (Mackay, Shiu, Ma and Lee, Handbook, 2006)
  1.6E-3,   -- solubility at 25 C, 1.6 ug/l (same handbook)
  6.13,     -- log Kow (same handbook)
  0,
  5.92,     -- log Koc = log Kow - 0.21 (Karickhoff, Brown and Scott, Water Research 13, 1979,
            -- fitted on polycyclic aromatic hydrocarbons)
  0, 0,
  0.1104,   -- Henry coefficient, estimate from the values above
  0, 0,
  0.005,    -- aerobic biodegradation, half-life about 140 d, inside the 57-530 d range given by
            -- Howard et al., Handbook of Environmental Degradation Rates, Lewis 1991
  0,        -- no hydrolysable group
  0.02,     -- photolysis, 24 h and depth averaged: near-surface half-lives of hours, but light
            -- reaches only the upper metre or so of turbid estuarine water
  0.0013,   -- biodegradation in sediment, half-life about 530 d (upper end of Howard et al.)
  0, 0,
  0.6, 0.5, 0.35, 0,       -- food-chain estimate for log Kow 6.13
  0,        -- zooplankton: no information
  0.5,      -- crustaceans metabolise PAHs moderately,
  0.9,      -- fish rapidly,
  0,        -- bivalves hardly (Meador et al., Rev. Environ. Contam. Toxicol. 143, 1995)
  0.9,      -- flatfish rapidly (same review)
  '50-32-8');

INSERT INTO Compounds (CmpID, CmpDescr, CmpName, CmpIsType, CmpMolmass, CmpVappress, CmpSol,
  CmpKow, CmpKd, CmpKoc, CmpKdoc, CmpBcf, cmphe, CmpTmelt, CmppKa,
  CmpDegrBiowater, CmpDegrHydwater, CmpDegrPhowater, CmpDegrBioSed, CmpDegrHydSed, CmpDegrPhoSed,
  AlphaWater, BetaPrey, BetaDet, BioTransform,
  BioTransZoo, BioTransSecProd, BioTransRound, BioTransOrg1Tel, BioTransOrg2Dab, CASnr)
VALUES (4, 'Cadmium', 'cadmium', 1,
  112.41,   -- standard atomic weight (IUPAC)
  0, 0, NULL,
  30,       -- Kd 3E4 l/kg: the order of the coastal-sediment value recommended in IAEA Technical
            -- Reports Series 422 (2004); below freshwater values, since chloride complexes
            -- cadmium in brackish water
  0, 0, 0, 0, 0, 0,
  0, 0, 0, 0, 0, 0,
  0, 0.6, 0.35, 0,
  0, 0, 0, 0, 0,
  '7440-43-9');

INSERT INTO Compounds (CmpID, CmpDescr, CmpName, CmpIsType, CmpMolmass, CmpVappress, CmpSol,
  CmpKow, CmpKd, CmpKoc, CmpKdoc, CmpBcf, cmphe, CmpTmelt, CmppKa,
  CmpDegrBiowater, CmpDegrHydwater, CmpDegrPhowater, CmpDegrBioSed, CmpDegrHydSed, CmpDegrPhoSed,
  AlphaWater, BetaPrey, BetaDet, BioTransform,
  BioTransZoo, BioTransSecProd, BioTransRound, BioTransOrg1Tel, BioTransOrg2Dab, CASnr)
VALUES (5, 'Copper', 'copper', 1,
  63.546,   -- standard atomic weight (IUPAC)
  0, 0, NULL,
  50,       -- Kd 5E4 l/kg for suspended matter: the order of the standard partition coefficient
            -- of Dutch water-quality assessment (Crommentuijn et al., RIVM report 601501001,
            -- 1997) and of IAEA Technical Reports Series 422 for coastal sediment
  0, 0, 0, 0, 0, 0,
  0, 0, 0, 0, 0, 0,
  0, 0.6, 0.35, 0,
  0, 0, 0, 0, 0,
  '7440-50-8');

------------------------------------------------------------------------------------------------
-- Emission scenarios; loads in kg/y, deposition in g/km2/y, concentrations in ug/l and ug/g.
-- Load1 to Load4 enter at 75, 50, 25 and 12 % of the estuary length from the mouth, Load5 is a
-- direct marine emission. Realistic screening magnitudes for a large estuary: an industrial
-- outfall of tens of kg/y, a river concentration of tens of ng/l (about 200 kg/y at 116 m3/s),
-- atmospheric deposition of tens of ug/m2/y.
------------------------------------------------------------------------------------------------
INSERT INTO Emission (EmissionID, Description, GridNr1, GridNr2, GridNr3, GridNr4, GridNr5,
  Load1, Load2, Load3, Load4, Load5, LoadAtmos, EmRiverConc, EmSeaConc, SedBack,
  EmDummy4, EmDummy5)
VALUES
  (1, 'Point load: outfall of 50 kg/y halfway up the estuary', 0, 0, 0, 0, 0,
      0, 50, 0, 0, 0, 0, 0, 0, 0, 0, 0),
  (2, 'River-borne load: 0.05 ug/l in the inflowing river', 0, 0, 0, 0, 0,
      0, 0, 0, 0, 0, 0, 0.05, 0, 0, 0, 0),
  (3, 'Atmospheric deposition: 20 g/km2/y on the estuary', 0, 0, 0, 0, 0,
      0, 0, 0, 0, 0, 20, 0, 0, 0, 0, 0),
  (4, 'Diffuse background: river 0.02 ug/l, sea 0.002 ug/l, sediment 0.01 ug/g', 0, 0, 0, 0, 0,
      0, 0, 0, 0, 0, 0, 0.02, 0.002, 0.01, 0, 0);
